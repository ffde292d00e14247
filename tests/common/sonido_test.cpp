// The sound device as a player hears it, recorded by SDL's disk driver: silence before a sound,
// energy and balance where it plays, silence through a pause and while switched off; and with no
// device, or no files, silence and not a word on stderr. On both SDL 1.2 libraries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <limits.h>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr long RATE = 44100;
// Frames between a mark and where the recording is checked around it: two device buffers.
constexpr long SLACK = 1024;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string folderOfThisProgram() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string p(path, static_cast<std::size_t>(n));
    return p.substr(0, p.rfind('/'));
}

// The folder of libsdl1.2-compat unpacked by tools/sdl-compat, or "" when it is not there: the
// one the caller names, else the one beside this build's programs, else the one ./check unpacks.
std::string compatFolder() {
    std::vector<std::string> folders{folderOfThisProgram() + "/../sdl12-compat"};
    if (const char* assets = std::getenv("ASSETS"))
        folders.push_back(std::string(assets) + "/../build/sdl12-compat");
    const char* given = std::getenv("GAME_LIBRARY_PATH");
    if (given != nullptr && *given != '\0')
        folders = {given};
    for (const std::string& folder : folders) {
        struct stat st;
        if (stat((folder + "/libSDL-1.2.so.0").c_str(), &st) == 0)
            return folder;
    }
    return "";
}

struct RecorderRun {
    int status = -1;
    std::string out, err;
    std::map<std::string, long> marks;
    std::map<std::string, int> values;
};

class SoundDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/sonido-test-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        tmp_ = tmpl;
        const char* assets = std::getenv("ASSETS");
        if (assets == nullptr)
            GTEST_SKIP() << "ASSETS is not set: run through ctest";
        sounds_ = std::string(assets) + "/sonidos";
        recorder_ = folderOfThisProgram() + "/sound_recorder";
        ASSERT_EQ(access(recorder_.c_str(), X_OK), 0) << recorder_;
    }
    void TearDown() override {
        if (!tmp_.empty())
            std::system(("rm -rf '" + tmp_ + "'").c_str());
    }

    // Runs the recorder with `env` (name=value; an empty value unsets it) and reads what it said.
    RecorderRun record(const std::string& folder, const char* script,
                       const std::vector<std::pair<std::string, std::string>>& env,
                       const std::string& libraryPath = "") {
        const std::string out = tmp_ + "/out.txt", err = tmp_ + "/err.txt";
        pid_t pid = fork();
        if (pid == 0) {
            int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0)
                _exit(126);
            for (const auto& [name, value] : env) {
                if (value.empty())
                    unsetenv(name.c_str());
                else
                    setenv(name.c_str(), value.c_str(), 1);
            }
            if (!libraryPath.empty())
                setenv("LD_LIBRARY_PATH", libraryPath.c_str(), 1);
            execl(recorder_.c_str(), recorder_.c_str(), folder.c_str(), script, nullptr);
            _exit(127);
        }
        RecorderRun r;
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            r.status = WEXITSTATUS(status);
        r.out = readFile(out);
        r.err = readFile(err);
        std::istringstream lines(r.out);
        std::string word, name;
        while (lines >> word) {
            if (word == "mark" && lines >> name)
                lines >> r.marks[name];
            else if (word == "open")
                lines >> r.values[word];
            else if (word == "sdl" && lines >> name) // 1.2.N: N of 50 and more is the compat one
                r.values[word] = std::atoi(name.substr(name.rfind('.') + 1).c_str());
            else if (word == "loaded" && lines >> name)
                lines >> r.values[name];
        }
        return r;
    }

    std::vector<std::pair<std::string, std::string>> diskDriver() const {
        return {{"SDL_AUDIODRIVER", "disk"},
                {"SDL_DISKAUDIOFILE", tmp_ + "/recording.raw"},
                {"SDL_DISKAUDIODELAY", "10"}};
    }

    // Plays the whole script on the disk driver and checks the recording as a player would hear it.
    void playAndListen(const std::string& libraryPath, bool compat);

    std::string tmp_, sounds_, recorder_;
};

// The recording: stereo frames of 16-bit samples in the machine's order.
struct Recording {
    std::vector<std::int16_t> s;
    long frames() const { return static_cast<long>(s.size() / 2); }

    // Root mean square of each ear over frames [from, to).
    void rms(long from, long to, double& left, double& right) const {
        double l = 0, r = 0;
        from = std::max(from, 0L);
        to = std::min(to, frames());
        for (long i = from; i < to; ++i) {
            l += double(s[2 * i]) * s[2 * i];
            r += double(s[2 * i + 1]) * s[2 * i + 1];
        }
        const double n = std::max(to - from, 1L);
        left = std::sqrt(l / n);
        right = std::sqrt(r / n);
    }
    // The first frame at or after `from` with any sound, or frames() when there is none.
    long firstSound(long from) const {
        for (long i = std::max(from, 0L); i < frames(); ++i)
            if (s[2 * i] != 0 || s[2 * i + 1] != 0)
                return i;
        return frames();
    }
    bool silent(long from, long to) const { return firstSound(from) >= std::min(to, frames()); }
};

void SoundDevice::playAndListen(const std::string& libraryPath, bool compat) {
    RecorderRun r = record(sounds_, "play", diskDriver(), libraryPath);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    if (compat)
        ASSERT_GE(r.values["sdl"], 50) << "the recorder did not run on libsdl1.2-compat";
    else
        ASSERT_LT(r.values["sdl"], 50) << "the recorder ran on libsdl1.2-compat";
    if (r.values["open"] != 1)
        GTEST_SKIP() << "SDL's disk audio driver would not open here: " << r.out;
    EXPECT_EQ(r.err, "") << "the room printed on stderr";

    Recording rec;
    const std::string raw = readFile(tmp_ + "/recording.raw");
    rec.s.resize(raw.size() / 2);
    std::memcpy(rec.s.data(), raw.data(), rec.s.size() * 2);
    // The device writes silence while it waits to be unpaused: every mark moves by that much.
    ASSERT_GE(rec.frames(), r.marks["total"]);
    const long offset = rec.frames() - r.marks["total"];
    auto at = [&](const char* name) { return r.marks.at(name) + offset; };
    auto ms = [](long frames) { return frames * 1000.0 / RATE; };
    double l, rr;

    // Silence before the first sound; it is heard within 30 ms of the call.
    const long onset = rec.firstSound(0);
    EXPECT_GE(onset, at("left") - (compat ? SLACK : 0));
    EXPECT_LT(onset, at("left") + 30 * RATE / 1000)
        << "heard " << ms(onset - at("left")) << " ms late";
    // A burst on the left is louder on the left; a strike on the right, on the right.
    rec.rms(at("left"), at("left_end"), l, rr);
    EXPECT_GT(l, 300.0);
    EXPECT_GT(l, 4 * rr) << "left " << l << " right " << rr;
    EXPECT_TRUE(rec.silent(at("left_end") + SLACK, at("right")));
    rec.rms(at("right"), at("right_end"), l, rr);
    EXPECT_GT(rr, 300.0);
    EXPECT_GT(rr, 4 * l) << "left " << l << " right " << rr;
    // The engine moves from the left to overhead.
    rec.rms(at("engine") + SLACK, at("engine_centre"), l, rr);
    EXPECT_GT(l, 2 * rr) << "engine on the left: " << l << " " << rr;
    rec.rms(at("engine_centre") + SLACK, at("pause"), l, rr);
    EXPECT_GT(l, 300.0);
    EXPECT_NEAR(l / rr, 1.0, 0.05) << "engine overhead: " << l << " " << rr;
    // The pause: play falls silent at once; a menu step is heard; then silence again.
    EXPECT_TRUE(rec.silent(at("pause") + SLACK, at("menu")));
    rec.rms(at("menu"), at("menu") + RATE / 20 + SLACK, l, rr);
    EXPECT_GT(l, 300.0);
    EXPECT_TRUE(rec.silent(at("menu") + RATE / 20 + SLACK, at("resume")));
    // No backlog after it: neither the engine nor the shot asked for in the pause come back.
    EXPECT_TRUE(rec.silent(at("resume"), at("shot")));
    // A shot straight ahead: both ears alike.
    rec.rms(at("shot"), at("shot_end"), l, rr);
    EXPECT_GT(l, 300.0);
    EXPECT_NEAR(l / rr, 1.0, 0.05);
    // Switched off: nothing, not even a menu choice; switched on: nothing comes back.
    EXPECT_TRUE(rec.silent(at("shot_end") + SLACK, rec.frames()));
}

} // namespace

TEST_F(SoundDevice, RecordingOnClassicSdl) {
    playAndListen("", false);
}

TEST_F(SoundDevice, RecordingOnSdl12Compat) {
    const std::string folder = compatFolder();
    if (folder.empty())
        GTEST_SKIP() << "libsdl1.2-compat is not unpacked: run tools/sdl-compat build/sdl12-compat";
    playAndListen(folder, true);
}

TEST_F(SoundDevice, NoDeviceIsSilentAndSaysNothing) {
    std::vector<std::string> libraries{""};
    if (!compatFolder().empty())
        libraries.push_back(compatFolder());
    for (const std::string& library : libraries) {
        // A driver that does not exist, and whatever this machine has (none on a build server).
        RecorderRun none =
            record(sounds_, "play", {{"SDL_AUDIODRIVER", "no-such-driver"}}, library);
        EXPECT_EQ(none.status, 0) << library;
        EXPECT_EQ(none.values["open"], 0) << library;
        EXPECT_EQ(none.err, "") << library;
        EXPECT_EQ(none.marks["total"], 0) << library;
        RecorderRun machine = record(sounds_, "quiet", {{"SDL_AUDIODRIVER", ""}}, library);
        EXPECT_EQ(machine.status, 0) << library;
        EXPECT_EQ(machine.err, "") << library;
    }
}

TEST_F(SoundDevice, MissingAndOddFilesLeaveOnlyThoseSoundsSilent) {
    const std::string folder = tmp_ + "/sonidos";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string burst = readFile(sounds_ + "/estallido.wav");
    const std::string strike = readFile(sounds_ + "/impacto.wav");
    ASSERT_GT(burst.size(), 1000u);
    auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
    };
    write("estallido.wav", burst);
    write("impacto.wav", strike.substr(0, strike.size() / 2)); // cut short
    write("disparo.wav", "RIFF\x10\0\0\0WAVEjunk");
    write("bala.wav", "");
    std::string adpcm = burst;
    adpcm[20] = 2; // the format tag: compressed
    write("motor.wav", adpcm);
    ASSERT_EQ(mkdir((folder + "/menu_paso.wav").c_str(), 0755), 0); // a folder, not a file

    RecorderRun r = record(folder, "files", diskDriver());
    ASSERT_EQ(r.status, 0) << r.err;
    if (r.values["open"] != 1)
        GTEST_SKIP() << "SDL's disk audio driver would not open here: " << r.out;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.values["estallido.wav"], 1);
    for (const char* name : {"impacto.wav", "disparo.wav", "bala.wav", "motor.wav", "menu_paso.wav",
                             "nivel_ganado.wav"})
        EXPECT_EQ(r.values[name], 0) << name;

    // The shipped folder: every effect is read.
    RecorderRun all = record(sounds_, "files", diskDriver());
    int loaded = 0;
    for (const auto& [name, value] : all.values)
        loaded += name.find(".wav") != std::string::npos && value == 1;
    EXPECT_EQ(loaded, 14) << all.out;
}
