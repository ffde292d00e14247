"""Plays one game with the scripted player and checks the run.

    play_check.py GAME [--seconds S] [--seed N] [--soak] [--tour] [--warmup S] [--min-judged S]
                  [--hold S] [--lasting] [--report FILE]

Always: every run of the game ends with status 0 and nothing on its standard error looks like a
sanitizer report (the sanitized build checks for leaks as the game exits). With --soak also:
resident memory and the heap in use grow by less than 2 MB (--growth-limit) after the warm-up,
frames keep coming (no stall of 5 s) and the frame rate holds. Each run (process) of the game is
judged on its own: its warm-up is its tour of every screen and setting (--tour) followed by
--warmup seconds of play; its growth is the highest level it kept for --hold seconds after the
warm-up minus the highest it kept for as long until then, and a run that played less than
--min-judged seconds after its warm-up is not judged. A soak in which no run was judged fails.
With --lasting each Torvane run plays a copy of the assets whose cities never fall and whose levels
last many minutes, and the player leaves out the keys that end a game, so one run can last the
whole session.
The figures go to standard output (and to --report as JSON).
Environment: BIN_DIR (the games), ASSETS, SHIMS_DIR (the preload shims: the frame counter, the
libraries kept loaded), GAME_LIBRARY_PATH (another SDL 1.2), LSAN_SUPPRESSIONS (the leak checker's
suppression file).
"""

import argparse
import json
import os
import statistics
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player import (Session, frame_rates, growth_kib, held_levels, loaded_sdl,  # noqa: E402
                    longest_stall, sanitizer_env, XServer)

GROWTH_LIMIT_KIB = 2048
STALL_LIMIT_S = 5.0
MIN_FPS = 10.0


def thinned(samples, every=30.0):
    """(seconds, resident KiB, frames, heap KiB) about every `every` seconds, for the report."""
    kept, next_time = [], 0.0
    for t, rss, frames, heap in samples:
        if t >= next_time:
            kept.append([round(t), rss, frames, heap])
            next_time = t + every
    return kept


def run_table(runs):
    """One line per run (process): how long it lived, when its tour and its warm-up ended, how
    long it was judged, its resident memory (at start, the highest level kept in the warm-up and
    after it, the highest at any moment, at the end) and its growth, in MB."""
    def cell(value, unit=" s"):
        return "-" if value is None else f"{value}{unit}"

    def mb(kib, sign=""):
        return "-" if kib is None else f"{kib / 1024:{sign}.1f}"

    lines = ["run   lived  toured  warmed  judged  resident: start, kept in warm-up, kept after, "
             "highest, end  growth: resident, heap"]
    for k, r in enumerate(runs, 1):
        lines.append(f"{k:>3}  {cell(r['seconds']):>6}  {cell(r['toured']):>6}  "
                     f"{cell(r.get('judged_from')):>6}  {cell(r.get('judged_s')):>6}  "
                     f"{mb(r['rss_start'])}, {mb(r.get('rss_held_warmup'))}, "
                     f"{mb(r.get('rss_held_judged'))}, {mb(r['rss_peak'])}, {mb(r['rss_end'])}  "
                     f"{mb(r.get('growth_kib'), '+')}, {mb(r.get('heap_growth_kib'), '+')}")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game", choices=("fenwar", "torvane"))
    parser.add_argument("--seconds", type=float, default=20)
    parser.add_argument("--seed", type=int, default=8)
    parser.add_argument("--soak", action="store_true")
    parser.add_argument("--tour", action="store_true",
                        help="each run first visits every screen and setting once")
    parser.add_argument("--warmup", type=float, default=30,
                        help="seconds of play after the tour before memory is judged")
    parser.add_argument("--min-judged", type=float, default=60,
                        help="seconds past the warm-up a run must play to be judged")
    parser.add_argument("--hold", type=float, default=30,
                        help="seconds a level must be kept to count as the level held")
    parser.add_argument("--growth-limit", type=int, default=GROWTH_LIMIT_KIB,
                        help="KiB of growth allowed after the warm-up")
    parser.add_argument("--lasting", action="store_true",
                        help="Torvane's games made to last the whole session")
    parser.add_argument("--report")
    args = parser.parse_args()

    problems = []
    summary = {"game": args.game, "seed": args.seed, "seconds": args.seconds,
               "lasting": args.lasting and args.game == "torvane"}

    def check_library(run):
        wanted = os.environ.get("GAME_LIBRARY_PATH")
        if wanted and "sdl" not in summary:
            summary["sdl"] = loaded_sdl(run.game.proc.pid)
            if not (summary["sdl"] or "").startswith(os.path.realpath(wanted)):
                problems.append(f"the game loaded {summary['sdl']}, not the one in {wanted}")

    here = os.path.dirname(os.path.abspath(__file__))
    suppressions = os.environ.get("LSAN_SUPPRESSIONS", os.path.join(here, "lsan.supp"))
    with XServer() as x:
        # The libraries are kept loaded to the end, so that the leak checker can name them.
        session = Session(args.game, x, args.seed, env=sanitizer_env(suppressions),
                          preload=("keep_libraries",), tour=args.tour, lasting=args.lasting)
        try:
            session.play(args.seconds, on_sample=check_library)
        except Exception as error:  # a game that never drew or went away mid-action
            problems.append(f"the session broke off: {error!r}")
        finally:
            for run in session.runs:
                run.game.close()
    problems += session.failures()
    summary["runs"] = len(session.runs)

    rates, growths, heap_growths, stalls = [], [], [], []
    summary["per_run"] = []
    for run in session.runs:
        rates += frame_rates(run.samples)
        stalls.append(longest_stall(run.samples))
        if not run.samples:
            continue
        figures = {"seconds": round(run.samples[-1][0]), "frames": run.samples[-1][2],
                   "toured": None if run.toured is None else round(run.toured),
                   "rss_start": run.samples[0][1], "rss_peak": max(s[1] for s in run.samples),
                   "rss_end": run.samples[-1][1]}
        if run.toured is not None:
            warmed = run.toured + args.warmup
            figures["judged_from"] = round(warmed)
            judged = dict(warmup=warmed, least=args.min_judged, hold=args.hold)
            growth = growth_kib(run.samples, **judged)
            if growth is not None:
                growths.append(growth)
                heap_growths.append(growth_kib(run.samples, field=3, **judged))
                figures["growth_kib"] = round(growth)
                figures["heap_growth_kib"] = round(heap_growths[-1])
                figures["judged_s"] = round(run.samples[-1][0] - warmed)
                for name, part in (("rss_held_warmup", lambda t: t < warmed),
                                   ("rss_held_judged", lambda t: t >= warmed)):
                    points = [(s[0], s[1]) for s in run.samples if part(s[0])]
                    figures[name] = max(held_levels(points, args.hold))
        figures["trace"] = thinned(run.samples)
        summary["per_run"].append(figures)
    summary["growth_kib"] = [round(g) for g in growths]
    summary["heap_growth_kib"] = [round(g) for g in heap_growths]
    summary["fps"] = {"min": round(min(rates), 1), "median": round(statistics.median(rates), 1),
                      "max": round(max(rates), 1)} if rates else None
    summary["longest_stall_s"] = round(max(stalls), 1) if stalls else None

    if args.soak:
        for g in growths:
            if g >= args.growth_limit:
                problems.append(f"resident memory grew by {g:.0f} KiB after the warm-up")
        for g in heap_growths:
            if g >= args.growth_limit:
                problems.append(f"the heap in use grew by {g:.0f} KiB after the warm-up")
        if not growths:
            problems.append(f"no run played {args.min_judged:.0f} s past its warm-up: memory "
                            "growth not judged")
        if not rates:
            problems.append("too short to measure the frame rate")
        else:
            if statistics.median(rates) < MIN_FPS:
                problems.append(f"frame rate fell to {statistics.median(rates):.1f} per second")
            if max(stalls) >= STALL_LIMIT_S:
                problems.append(f"no frame for {max(stalls):.1f} s")

    print(json.dumps({k: v for k, v in summary.items() if k != "per_run"}, indent=1))
    print(run_table(summary["per_run"]))
    for line in session.log:
        print(line)
    if args.report:
        with open(args.report, "w") as f:
            json.dump(summary, f, indent=1)
    for p in problems:
        print("FAIL:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
