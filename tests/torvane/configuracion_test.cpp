// Tests of the level file reader: levels, ids, towers, repeats, and every kind of bad file.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "camara.h"
#include "ciudad.h"
#include "configuracion.h"
#include "torre.h"

using namespace torvane;

namespace {

const char* const kTorres = R"(<torres>
  <municion cant="25"/>
  <torre id="0" x="0" y="5" z="50"/>
  <torre id="1" x="50" y="5" z="-50"/>
  <torre id="2" x="-50" y="5" z="-50"/>
</torres>)";

const char* const kNiveles = R"(<niveles>
  <salud valor="10"/>
  <ciudad lvl="1" id="0" x="-10" y="0" z="0"/>
  <ciudad lvl="1" id="1" x="10" y="0" z="0"/>
  <ciudad lvl="2.9" id="0" x="1.5" y="2" z="-3"/>
</niveles>)";

class Configuracion : public ::testing::Test {
  protected:
    std::string ruta = ::testing::TempDir() + "torvane_conf_" + std::to_string(getpid()) + ".xml";
    std::map<int, std::map<int, Ciudad*>> ciudades;
    Torre* torres[3] = {nullptr, nullptr, nullptr};
    float posiciones[3][3] = {};

    ~Configuracion() override {
        release();
        std::remove(ruta.c_str());
    }

    // Deletes what the last load made, for another load in the same test.
    void release() {
        for (auto& nivel : ciudades) {
            for (auto& c : nivel.second) {
                delete c.second;
            }
        }
        ciudades.clear();
        for (Torre*& t : torres) {
            delete t;
            t = nullptr;
        }
    }

    std::string load(const std::string& texto) {
        std::ofstream(ruta, std::ios::binary) << texto;
        return cargarConfiguracion(ruta.c_str(), ciudades, torres, posiciones);
    }

    // A bad file gives one line naming the file and its fault, and leaves everything untouched.
    void expectRejected(const std::string& texto, const std::string& motivo) {
        const std::string error = load(texto);
        EXPECT_NE(error.find(ruta), std::string::npos) << error;
        EXPECT_NE(error.find(motivo), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        EXPECT_TRUE(ciudades.empty());
        for (Torre* t : torres) {
            EXPECT_EQ(t, nullptr);
        }
    }
};

} // namespace

TEST_F(Configuracion, CitiesAreFiledByTruncatedLevelAndId) {
    ASSERT_EQ(load(std::string(kNiveles) + "\n" + kTorres), "");
    ASSERT_EQ(ciudades.size(), 2u);
    EXPECT_EQ(ciudades[1].size(), 2u);
    ASSERT_EQ(ciudades[2].size(), 1u);
    const Ciudad* c = ciudades[2][0];
    EXPECT_EQ(c->getX(), 1.5f);
    EXPECT_EQ(c->getY(), 2.0f);
    EXPECT_EQ(c->getZ(), -3.0f);
    EXPECT_EQ(ciudades[1][1]->getX(), 10.0f);
}

TEST_F(Configuracion, EveryCityStartsActiveWithTheSharedHealth) {
    ASSERT_EQ(load(std::string(kNiveles) + kTorres), "");
    for (auto& nivel : ciudades) {
        for (auto& c : nivel.second) {
            EXPECT_TRUE(c.second->getActivo());
            EXPECT_EQ(c.second->getSalud(), 10);
            EXPECT_EQ(c.second->getSaludTot(), 10);
        }
    }
}

TEST_F(Configuracion, TowersAreFiledByIdWithCamerasAtTheOrigin) {
    const std::string t = R"(<torres><municion cant="7.8"/>
      <torre id="2" x="20" y="21" z="22"/>
      <torre id="0" x="0" y="1" z="2"/>
      <torre id="1" x="10" y="11" z="12"/></torres>)";
    ASSERT_EQ(load(std::string(kNiveles) + t), "");
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(torres[i], nullptr);
        EXPECT_EQ(posiciones[i][0], 10.0f * i);
        EXPECT_EQ(posiciones[i][1], 10.0f * i + 1);
        EXPECT_EQ(posiciones[i][2], 10.0f * i + 2);
        EXPECT_EQ(torres[i]->getMunicion(), 7);
        const SF3dVector p = torres[i]->getCamara()->getPosition();
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.y, 0.0f);
        EXPECT_EQ(p.z, 0.0f);
    }
    EXPECT_NE(torres[0]->getCamara(), torres[1]->getCamara());
}

// Replaced cities and towers are deleted: the sanitizer build reports them otherwise.
TEST_F(Configuracion, RepeatsKeepTheLaterElement) {
    const std::string n = R"(<niveles><salud valor="4"/>
      <ciudad lvl="1" id="0" x="1" y="0" z="0"/>
      <ciudad lvl="1" id="0" x="2" y="0" z="0"/></niveles>)";
    const std::string t = R"(<torres><municion cant="1"/>
      <torre id="0" x="1" y="0" z="0"/><torre id="1" x="0" y="0" z="0"/>
      <torre id="2" x="0" y="0" z="0"/><torre id="0" x="9" y="0" z="0"/></torres>)";
    ASSERT_EQ(load(n + t), "");
    ASSERT_EQ(ciudades[1].size(), 1u);
    EXPECT_EQ(ciudades[1][0]->getX(), 2.0f);
    EXPECT_EQ(posiciones[0][0], 9.0f);
}

TEST_F(Configuracion, OtherElementsAmongCitiesAndTowersAreSkipped) {
    const std::string n = R"(<niveles><salud valor="4"/>
      <ciudad lvl="1" id="0" x="1" y="0" z="0"/>
      <!-- un comentario -->
      <nota lvl="3" id="5" x="0" y="0" z="0"/>
      <salud valor="99"/>
      <ciudad lvl="1" id="1" x="2" y="0" z="0"/></niveles>)";
    const std::string t = R"(<torres><municion cant="3"/>
      <torre id="0" x="1" y="0" z="0"/><municion cant="50"/><extra id="1"/>
      <torre id="1" x="0" y="0" z="0"/><torre id="2" x="0" y="0" z="0"/></torres>)";
    ASSERT_EQ(load(n + t), "");
    ASSERT_EQ(ciudades.size(), 1u);
    EXPECT_EQ(ciudades[1].size(), 2u);
    EXPECT_EQ(ciudades[1][1]->getSalud(), 4);
    EXPECT_EQ(torres[2]->getMunicion(), 3);
}

TEST_F(Configuracion, EmptyLevelsAreAllowed) {
    ASSERT_EQ(load(std::string("<niveles><salud valor=\"1\"/></niveles>") + kTorres), "");
    EXPECT_TRUE(ciudades.empty());
    EXPECT_NE(torres[0], nullptr);
}

TEST_F(Configuracion, MissingOrUnreadableFileIsReported) {
    const std::string error = cargarConfiguracion(ruta.c_str(), ciudades, torres, posiciones);
    EXPECT_NE(error.find(ruta), std::string::npos);
    EXPECT_NE(error.find("no se pudo abrir"), std::string::npos) << error;

    const std::string dir = ::testing::TempDir();
    const std::string errorDir = cargarConfiguracion(dir.c_str(), ciudades, torres, posiciones);
    EXPECT_NE(errorDir.find("no se pudo leer"), std::string::npos) << errorDir;
    EXPECT_TRUE(ciudades.empty());
}

TEST_F(Configuracion, FileThatIsNotXmlIsReported) {
    expectRejected("", "no es XML");
    expectRejected("hola, esto no es XML", "no es XML");
    expectRejected("<niveles><salud valor=\"1\"></niveles>", "no es XML");
    expectRejected(std::string("\x00\x01\x02", 3), "no es XML");
}

// Text left open at the end of the file is a fault the parser places on no line: the message
// names none rather than a line 0.
TEST_F(Configuracion, AFaultAtTheVeryEndIsReportedWithoutALine) {
    for (const std::string& texto :
         {std::string("<niveles>\n<salud valor=\"1\"/>\ntexto"),
          std::string("<?xml version=\"1.0\"?>\n<niveles>\n<salud valor=\"1\"/>\ntexto\xEE")}) {
        EXPECT_EQ(load(texto), "Error en el archivo de configuración " + ruta +
                                   ": no es XML válido: Error reading Element value");
        EXPECT_TRUE(ciudades.empty());
    }
    EXPECT_EQ(load("<niveles>\n<salud valor=\"1\"/>\n</torres>"),
              "Error en el archivo de configuración " + ruta +
                  ": no es XML válido en la línea 3: Error reading end tag");
}

TEST_F(Configuracion, MissingElementsAreNamed) {
    expectRejected(kTorres, "falta el elemento niveles");
    expectRejected(kNiveles, "falta el elemento torres");
    expectRejected(std::string("<niveles><ciudad lvl=\"1\" id=\"0\" x=\"0\" y=\"0\" z=\"0\"/>"
                               "</niveles>") +
                       kTorres,
                   "falta el elemento salud");
    expectRejected(std::string(kNiveles) +
                       "<torres><torre id=\"0\" x=\"0\" y=\"0\" z=\"0\"/></torres>",
                   "falta el elemento municion");
    expectRejected("<raiz>" + std::string(kNiveles) + kTorres + "</raiz>",
                   "falta el elemento niveles");
}

TEST_F(Configuracion, TowerIdsOutsideTheThreeOrMissingTowersAreReported) {
    const std::string n = kNiveles;
    const std::string base = "<torres><municion cant=\"1\"/><torre id=\"0\" x=\"0\" y=\"0\" "
                             "z=\"0\"/><torre id=\"1\" x=\"0\" y=\"0\" z=\"0\"/>";
    expectRejected(n + base + "<torre id=\"3\" x=\"0\" y=\"0\" z=\"0\"/></torres>",
                   "el id 3, fuera de 0 a 2");
    expectRejected(n + base + "<torre id=\"-1\" x=\"0\" y=\"0\" z=\"0\"/></torres>", "el id -1");
    expectRejected(n + base + "<torre id=\"1e12\" x=\"0\" y=\"0\" z=\"0\"/></torres>",
                   "fuera de 0 a 2");
    expectRejected(n + base + "</torres>", "falta la torre de id 2");
    // 2.99 truncates to tower 2, as the file's numbers always do.
    ASSERT_EQ(load(n + base + "<torre id=\"2.99\" x=\"0\" y=\"0\" z=\"0\"/></torres>"), "");
}

TEST_F(Configuracion, MissingAttributesAreNamed) {
    expectRejected(std::string("<niveles><salud/></niveles>") + kTorres, "atributo valor");
    expectRejected(std::string("<niveles><salud valor=\"1\"/><ciudad lvl=\"1\" id=\"0\" x=\"0\" "
                               "z=\"0\"/></niveles>") +
                       kTorres,
                   "le falta el atributo y");
    expectRejected(std::string(kNiveles) +
                       "<torres><municion cant=\"1\"/><torre x=\"0\"/></torres>",
                   "atributo id");
}

TEST(NumeroAtof, ReadsTheLongestNumericPrefixLikeAtof) {
    EXPECT_EQ(numeroAtof("  2.9abc"), 2.9);
    EXPECT_EQ(numeroAtof("-1.5"), -1.5);
    EXPECT_EQ(numeroAtof("1e3x"), 1000.0);
    EXPECT_EQ(numeroAtof("abc"), 0.0);
    EXPECT_EQ(numeroAtof(""), 0.0);
    EXPECT_EQ(enteroAtof("2.9"), 2);
    EXPECT_EQ(enteroAtof("-1.5"), -1);
    EXPECT_EQ(enteroAtof("+7"), 7);
    EXPECT_EQ(enteroAtof("1e30"), INT_MAX);
    EXPECT_EQ(enteroAtof("-1e30"), INT_MIN);
    EXPECT_EQ(enteroAtof("nan"), 0);
}

// Only decimal numbers: what strtod alone would also take is text that is not a number, 0.
TEST(NumeroAtof, NanInfinityAndHexadecimalAreNotNumbers) {
    for (const char* texto :
         {"nan", "NAN(1)", "-nan", "inf", "-Infinity", "0x10", "0X1p3", ".", "-", "+.e5", "e5"}) {
        EXPECT_EQ(numeroAtof(texto), 0.0) << texto;
    }
    EXPECT_EQ(numeroAtof(" \t\n+.5"), 0.5);
    EXPECT_EQ(numeroAtof("5."), 5.0);
    EXPECT_EQ(numeroAtof("2e"), 2.0) << "an exponent without digits is not part of the number";
    EXPECT_EQ(numeroAtof("2e+x"), 2.0);
    EXPECT_EQ(numeroAtof("-3E-1z"), -0.3);
    EXPECT_EQ(numeroAtof("12nan"), 12.0);
    EXPECT_EQ(numeroAtof("0x10"), 0.0) << "the 0 before x would be its decimal prefix";
}

// A city written x="nan" used to make a level that could never end; now it sits at 0. A number
// too large for a float is refused before the window opens.
TEST_F(Configuracion, NotANumberIsZeroAndHugeNumbersAreRefused) {
    const std::string ciudadNan = R"(<niveles><salud valor="10"/>
  <ciudad lvl="1" id="0" x="nan" y="inf" z="0x20"/></niveles>)";
    ASSERT_EQ(load(ciudadNan + kTorres), "");
    const Ciudad* c = ciudades[1][0];
    EXPECT_EQ(c->getX(), 0.0f);
    EXPECT_EQ(c->getY(), 0.0f);
    EXPECT_EQ(c->getZ(), 0.0f);
}

TEST_F(Configuracion, NumbersBeyondAFloatAreRefusedWithTheirLine) {
    expectRejected(R"(<niveles><salud valor="10"/>
<ciudad lvl="1" id="0" x="1e39" y="0" z="0"/></niveles>)" +
                       std::string(kTorres),
                   "el atributo x del elemento ciudad (línea 2) es un número demasiado grande");
    expectRejected(R"(<niveles><salud valor="-1e400"/></niveles>)" + std::string(kTorres),
                   "atributo valor del elemento salud (línea 1)");
    expectRejected(std::string(kNiveles) + R"(<torres><municion cant="3"/>
<torre id="0" x="0" y="5" z="50"/><torre id="1" x="50" y="5" z="-50"/>
<torre id="2" x="-50" y="99999999999999999999999999999999999999999" z="-50"/></torres>)",
                   "atributo y del elemento torre (línea 8)");
}

// A city or tower beyond the far plane (200 from the origin) can be neither seen nor reached, and
// its level could never end: refused like a number too large, with its line. 200 itself plays.
TEST_F(Configuracion, PositionsBeyondTheFarPlaneAreRefusedWithTheirLine) {
    const auto ciudadEn = [](const std::string& x, const std::string& y, const std::string& z) {
        return R"(<niveles><salud valor="10"/>
<ciudad lvl="1" id="0" x="0" y="0" z="0"/>
<ciudad lvl="1" id="1" x=")" +
               x + R"(" y=")" + y + R"(" z=")" + z + R"("/></niveles>)" + std::string(kTorres);
    };
    const std::string lejos = "la posición del elemento ciudad (línea 3) está a más de 200 "
                              "unidades del origen";
    for (const char* x : {"1000", "200.001", "-200.0001", "1e30"}) {
        SCOPED_TRACE(x);
        expectRejected(ciudadEn(x, "0", "0"), lejos);
    }
    // The distance counts, not each coordinate: 120, 160 is exactly 200 away.
    expectRejected(ciudadEn("120", "160", "0.01"), lejos);
    expectRejected(ciudadEn("0", "150", "-150"), lejos);
    expectRejected(ciudadEn("1e39", "0", "0"),
                   "el atributo x del elemento ciudad (línea 3) es un número demasiado grande");

    for (const char* x : {"200", "-200", "199.999"}) {
        SCOPED_TRACE(x);
        ASSERT_EQ(load(ciudadEn(x, "0", "0")), "");
        EXPECT_EQ(ciudades[1][1]->getX(), static_cast<float>(std::atof(x)));
        release();
    }
    ASSERT_EQ(load(ciudadEn("120", "-160", "0")), "");
    EXPECT_EQ(ciudades[1][1]->getY(), -160.0f);
}

TEST_F(Configuracion, TowersBeyondTheFarPlaneAreRefusedWithTheirLine) {
    const auto torreEn = [](const std::string& z) {
        return std::string(kNiveles) + R"(<torres><municion cant="3"/>
<torre id="0" x="0" y="5" z="50"/><torre id="1" x="50" y="5" z="-50"/>
<torre id="2" x="0" y="0" z=")" +
               z + R"("/></torres>)";
    };
    expectRejected(torreEn("-200.001"),
                   "la posición del elemento torre (línea 8) está a más de 200 unidades del "
                   "origen");
    ASSERT_EQ(load(torreEn("-200")), "");
    EXPECT_EQ(posiciones[2][2], -200.0f);
}
