"""Plays one game with the scripted player and checks the run.

    play_check.py GAME [--seconds S] [--seed N] [--soak] [--warmup S] [--report FILE]

Always: every run of the game ends with status 0 and nothing on its standard error looks like a
sanitizer report (the sanitized build checks for leaks as the game exits). With --soak also:
resident memory and the heap in use grow by less than 2 MB (--growth-limit) after the warm-up,
frames keep coming (no stall of 5 s) and the frame rate holds. The figures go to standard output
(and to --report as JSON).
Environment: BIN_DIR (the games), ASSETS, PLAY_HOOKS (the preloadable frame counter),
GAME_LIBRARY_PATH (another SDL 1.2), LSAN_SUPPRESSIONS (the leak checker's suppression file).
"""

import argparse
import json
import os
import statistics
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from player import (Session, frame_rates, growth_kib, loaded_sdl, longest_stall,  # noqa: E402
                    XServer)

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


def sanitizer_env():
    here = os.path.dirname(os.path.abspath(__file__))
    suppressions = os.environ.get("LSAN_SUPPRESSIONS", os.path.join(here, "lsan.supp"))
    return {
        # The hooks are preloaded ahead of the sanitizer runtime; they are not instrumented.
        "ASAN_OPTIONS": "halt_on_error=1:detect_leaks=1:verify_asan_link_order=0:"
                        "abort_on_error=0:exitcode=86",
        "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1:exitcode=87",
        "LSAN_OPTIONS": f"suppressions={suppressions}:print_suppressions=0:exitcode=88",
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game", choices=("fenwar", "torvane"))
    parser.add_argument("--seconds", type=float, default=20)
    parser.add_argument("--seed", type=int, default=8)
    parser.add_argument("--soak", action="store_true")
    parser.add_argument("--warmup", type=float, default=30)
    parser.add_argument("--growth-limit", type=int, default=GROWTH_LIMIT_KIB,
                        help="KiB of growth allowed after the warm-up")
    parser.add_argument("--report")
    args = parser.parse_args()

    problems = []
    summary = {"game": args.game, "seed": args.seed, "seconds": args.seconds}

    def check_library(run):
        wanted = os.environ.get("GAME_LIBRARY_PATH")
        if wanted and "sdl" not in summary:
            summary["sdl"] = loaded_sdl(run.game.proc.pid)
            if not (summary["sdl"] or "").startswith(os.path.realpath(wanted)):
                problems.append(f"the game loaded {summary['sdl']}, not the one in {wanted}")

    with XServer() as x:
        session = Session(args.game, x, args.seed, env=sanitizer_env())
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
    for run in session.runs:
        rates += frame_rates(run.samples)
        stalls.append(longest_stall(run.samples))
        growth = growth_kib(run.samples, args.warmup)
        if growth is not None:
            growths.append(growth)
            heap_growths.append(growth_kib(run.samples, args.warmup, field=3))
        if run.samples:
            summary.setdefault("rss_kib", []).append(
                {"start": run.samples[0][1], "peak": max(s[1] for s in run.samples),
                 "end": run.samples[-1][1], "seconds": round(run.samples[-1][0]),
                 "frames": run.samples[-1][2], "trace": thinned(run.samples)})
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
        if session.preload is None:
            problems.append("no frame counter (PLAY_HOOKS): frames cannot be measured")
        elif not rates:
            problems.append("too short to measure the frame rate")
        else:
            if statistics.median(rates) < MIN_FPS:
                problems.append(f"frame rate fell to {statistics.median(rates):.1f} per second")
            if max(stalls) >= STALL_LIMIT_S:
                problems.append(f"no frame for {max(stalls):.1f} s")

    print(json.dumps(summary, indent=1))
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
