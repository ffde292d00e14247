// The check of a sound file: the generated effects pass, odd and broken files do not, and what SDL
// is given holds exactly the checked sound.
#include "onda.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}

// One chunk, padded to an even length as files are.
Bytes chunk(const char* id, const Bytes& body, bool pad = true) {
    Bytes b(id, id + 4);
    put32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (pad && body.size() % 2 != 0)
        b.push_back(0);
    return b;
}

Bytes format(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits, int blockFix = 0,
             int rateFix = 0) {
    const unsigned block = channels * bits / 8 + blockFix;
    Bytes b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * (channels * bits / 8) + rateFix);
    put16(b, block);
    put16(b, bits);
    return chunk("fmt ", b);
}

Bytes riff(std::initializer_list<Bytes> chunks) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes samples(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>(i * 7 + 3);
    return b;
}

bool check(const Bytes& file, Onda& onda) {
    return revisarOnda(file.data(), file.size(), onda);
}

bool check(const Bytes& file) {
    Onda onda;
    return check(file, onda);
}

const char* const EFFECT_FILES[] = {
    "disparo.wav",     "bala.wav",         "estallido.wav", "impacto.wav",      "ciudad_cae.wav",
    "motor.wav",       "avion_tocado.wav", "avion_cae.wav", "nivel_ganado.wav", "juego_perdido.wav",
    "viaje_torre.wav", "torre_vacia.wav",  "menu_paso.wav", "menu_elegir.wav"};

} // namespace

TEST(RevisarOnda, EveryGeneratedEffectPasses) {
    const char* assets = std::getenv("ASSETS");
    if (assets == nullptr)
        GTEST_SKIP() << "ASSETS is not set: run through ctest";
    for (const char* name : EFFECT_FILES) {
        std::ifstream in(std::string(assets) + "/sonidos/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Onda onda;
        ASSERT_TRUE(check(file, onda)) << name;
        EXPECT_EQ(onda.canales, 1) << name;
        EXPECT_EQ(onda.bits, 16) << name;
        EXPECT_EQ(onda.frecuencia, 44100) << name;
        EXPECT_EQ(onda.largo, file.size() - 44) << name;
    }
}

TEST(RevisarOnda, FindsTheSoundPastOtherChunks) {
    const Bytes data = samples(40);
    // An odd-sized chunk (padded) before the format, another between format and data.
    Bytes file = riff({chunk("LIST", samples(5)), format(1, 2, 22050, 8), chunk("fact", samples(4)),
                       chunk("data", data)});
    Onda onda;
    ASSERT_TRUE(check(file, onda));
    EXPECT_EQ(onda.canales, 2);
    EXPECT_EQ(onda.bits, 8);
    EXPECT_EQ(onda.frecuencia, 22050);
    ASSERT_EQ(onda.largo, data.size());
    EXPECT_EQ(std::memcmp(onda.datos, data.data(), data.size()), 0);
    // The pad of a last odd chunk may be missing.
    Bytes unpadded = riff({format(1, 1, 8000, 8), chunk("data", samples(3), false)});
    ASSERT_TRUE(check(unpadded, onda));
    EXPECT_EQ(onda.largo, 3u);
}

TEST(RevisarOnda, LeavesOutAPartialLastFrame) {
    Onda onda;
    ASSERT_TRUE(check(riff({format(1, 2, 44100, 16), chunk("data", samples(4 * 10 + 3))}), onda));
    EXPECT_EQ(onda.largo, 40u);
    EXPECT_FALSE(check(riff({format(1, 2, 44100, 16), chunk("data", samples(3))})));
    EXPECT_FALSE(check(riff({format(1, 1, 44100, 16), chunk("data", Bytes())})));
}

TEST(RevisarOnda, RefusesWhatIsNotPlainPcmOfASaneFormat) {
    const Bytes data = chunk("data", samples(64));
    struct Case {
        const char* why;
        Bytes file;
    } cases[] = {
        {"ADPCM", riff({format(2, 1, 44100, 4), data})},
        {"float", riff({format(3, 1, 44100, 32), data})},
        {"extensible", riff({format(0xFFFE, 2, 44100, 16), data})},
        {"no channel", riff({format(1, 0, 44100, 16), data})},
        {"three channels", riff({format(1, 3, 44100, 16), data})},
        {"12 bits", riff({format(1, 1, 44100, 12), data})},
        {"24 bits", riff({format(1, 1, 44100, 24), data})},
        {"rate too low", riff({format(1, 1, 7999, 16), data})},
        {"rate too high", riff({format(1, 1, 96001, 16), data})},
        {"rate of zero", riff({format(1, 1, 0, 16), data})},
        {"block size lies", riff({format(1, 2, 44100, 16, 2), data})},
        {"byte rate lies", riff({format(1, 1, 44100, 16, 0, 1), data})},
        {"format too short", riff({chunk("fmt ", samples(14)), data})},
        {"no format", riff({data})},
        {"data first", riff({data, format(1, 1, 44100, 16)})},
        {"two formats", riff({format(1, 1, 44100, 16), format(1, 1, 44100, 16), data})},
        {"no data", riff({format(1, 1, 44100, 16)})},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(check(c.file)) << c.why;
}

TEST(RevisarOnda, RefusesBrokenContainersAndLengths) {
    const Bytes good = riff({format(1, 1, 44100, 16), chunk("data", samples(200))});
    ASSERT_TRUE(check(good));
    // Cut anywhere short of the whole data: the data chunk would run past the end.
    Onda scratch;
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(revisarOnda(good.data(), n, scratch)) << n;
    EXPECT_FALSE(revisarOnda(nullptr, 100, scratch));

    Bytes notRiff = good;
    notRiff[0] = 'X';
    EXPECT_FALSE(check(notRiff));
    Bytes notWave = good;
    notWave[8] = 'X';
    EXPECT_FALSE(check(notWave));
    // A chunk claiming 4 GiB before a good sound, and a data chunk claiming nearly as much.
    Bytes huge = riff({chunk("JUNK", Bytes()), format(1, 1, 44100, 16), chunk("data", samples(8))});
    huge[16] = huge[17] = huge[18] = huge[19] = 0xFF;
    EXPECT_FALSE(check(huge));
    Bytes hugeData = riff({format(1, 1, 44100, 16)});
    Bytes tail{'d', 'a', 't', 'a', 0xF0, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4};
    hugeData.insert(hugeData.end(), tail.begin(), tail.end());
    EXPECT_FALSE(check(hugeData));
}

TEST(RevisarOnda, RefusesLongSoundsAndLargeFiles) {
    // Ten seconds of 8 kHz 8-bit mono pass; one frame more does not.
    const std::size_t tenSeconds = 8000 * MAYOR_DURACION_ONDA;
    EXPECT_TRUE(check(riff({format(1, 1, 8000, 8), chunk("data", samples(tenSeconds))})));
    EXPECT_FALSE(check(riff({format(1, 1, 8000, 8), chunk("data", samples(tenSeconds + 1))})));
    Bytes large = riff({format(1, 1, 8000, 8), chunk("data", samples(100))});
    large.resize(MAYOR_ARCHIVO_ONDA + 1);
    EXPECT_FALSE(check(large));
}

TEST(OndaMinima, HoldsExactlyTheCheckedSound) {
    const Bytes data = samples(4 * 25);
    Bytes file = riff({chunk("LIST", samples(9)), format(1, 2, 32000, 16), chunk("data", data),
                       chunk("cue ", samples(12))});
    Onda onda;
    ASSERT_TRUE(check(file, onda));
    Bytes minimal = ondaMinima(onda);
    ASSERT_EQ(minimal.size(), 44 + data.size());
    EXPECT_EQ(std::memcmp(minimal.data(), "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(minimal.data() + 12, "fmt ", 4), 0);
    EXPECT_EQ(std::memcmp(minimal.data() + 36, "data", 4), 0);
    Onda again;
    ASSERT_TRUE(check(minimal, again));
    EXPECT_EQ(again.canales, 2);
    EXPECT_EQ(again.bits, 16);
    EXPECT_EQ(again.frecuencia, 32000);
    ASSERT_EQ(again.largo, data.size());
    EXPECT_EQ(std::memcmp(again.datos, data.data(), data.size()), 0);
    EXPECT_EQ(again.datos, minimal.data() + 44);
}
