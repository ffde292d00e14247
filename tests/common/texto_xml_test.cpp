// Tests of the XML text helper: the documents TinyXML's own file loader made, and no read past the
// end of the text.
#include "texto_xml.h"

#include "anidamiento.h"
#include "cut_xml.h"
#include "page_end.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Everything a reader can learn from a document: its error and where, every node with its line
// and column, and the document printed back.
void listNodes(const TiXmlNode* node, std::string& out) {
    for (const TiXmlNode* n = node->FirstChild(); n != nullptr; n = n->NextSibling()) {
        out += std::to_string(n->Type()) + ":" + n->ValueStr() + "@" + std::to_string(n->Row()) +
               ":" + std::to_string(n->Column()) + "\n";
        listNodes(n, out);
    }
}

std::string describe(const TiXmlDocument& doc) {
    std::string out = "error " + std::to_string(doc.ErrorId()) + " at " +
                      std::to_string(doc.ErrorRow()) + ":" + std::to_string(doc.ErrorCol()) + "\n";
    listNodes(&doc, out);
    TiXmlPrinter printer;
    doc.Accept(&printer);
    return out + printer.Str();
}

std::string viaHelper(const std::string& text, FormaXml forma) {
    TiXmlDocument doc;
    EXPECT_TRUE(parsearXml(doc, text.data(), text.size(), forma));
    return describe(doc);
}

std::string viaLoadFile(const std::string& text) {
    const std::string path = testing::TempDir() + "load_file.xml";
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    if (f != nullptr) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    TiXmlDocument doc;
    doc.LoadFile(path.c_str(), TIXML_DEFAULT_ENCODING);
    return describe(doc);
}

std::string viaParse(const std::string& text) {
    TiXmlDocument doc;
    doc.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    return describe(doc);
}

// Files that every earlier reader read without going past their end: line ends of every kind,
// errors on later lines, a zero byte inside, a byte-order mark, Latin-1, entities, nothing at all.
const std::vector<std::string> kFiles = {
    "<d>\r\n<Normal>\r\n<a x=\"1\r\n2\" y='\r'/>\r\n</Normal></d>\r\n",
    "<d>\r<Normal>\r<a/>\r</Normal>\r</d>",
    "<d>\n\r<a/>\n\r<b>\r\r\n</b>\n</d>",
    "<d>\r\n<a/>\r\n<b>\r\n<c>\r\n",
    "<d>\r\n<a/>\r\n</e>\r\n",
    std::string("<d><a/>\0</d>", 12),
    std::string("<d/>\0<e>", 8),
    "\xEF\xBB\xBF<d a='\xC3\xB1'>\r\n\xE2\x9C\x93</d>",
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<d a=\"\xF1\xF4\"/>",
    "<d a='&amp;&#x41;&#66;&bad;'>&lt;\r\n</d>",
    "<!-- c\r\n -->\r\n<niveles/>\r\n<torres/>",
    "",
    "\r\n \r\t",
    "no es xml\r\n",
};

} // namespace

// Read as a file, a text gives the very document TinyXML's LoadFile gave for that file: the same
// nodes on the same lines, the same error on the same line.
TEST(XmlText, ReadAsAFileGivesWhatLoadFileGave) {
    for (const std::string& text : kFiles) {
        SCOPED_TRACE(text);
        EXPECT_EQ(viaHelper(text, FormaXml::como_archivo), viaLoadFile(text));
    }
}

// Read as it is, a text gives the document parsing the bytes gave: carriage returns kept, and an
// LF CR counted as one line end where a file read counts two.
TEST(XmlText, ReadAsItIsGivesWhatParsingTheBytesGave) {
    for (const std::string& text : kFiles) {
        SCOPED_TRACE(text);
        EXPECT_EQ(viaHelper(text, FormaXml::tal_cual), viaParse(text));
    }
    EXPECT_NE(viaHelper(kFiles[2], FormaXml::tal_cual),
              viaHelper(kFiles[2], FormaXml::como_archivo));
    TiXmlDocument doc;
    const std::string text = "<d a='1\r2'/>";
    ASSERT_TRUE(parsearXml(doc, text.data(), text.size(), FormaXml::tal_cual));
    EXPECT_STREQ(doc.FirstChildElement()->Attribute("a"), "1\r2");
}

TEST(XmlText, TextsNestedTooDeeplyAreNotParsed) {
    std::string deep;
    for (int i = 0; i <= MAX_ANIDAMIENTO_XML; ++i) {
        deep += "<a>";
    }
    for (FormaXml forma : {FormaXml::tal_cual, FormaXml::como_archivo}) {
        TiXmlDocument doc;
        EXPECT_FALSE(parsearXml(doc, deep.data(), deep.size(), forma));
        EXPECT_EQ(doc.FirstChild(), nullptr);
        EXPECT_FALSE(doc.Error());
    }
}

// A text ending inside a character, at the end of a page, with every allocation ending at one too:
// the parser reports a fault without ever reading past the zeros after the text.
TEST(XmlText, TextsEndingInACutCharacterAreParsedWithinTheirBytes) {
    PageEnd page(4096);
    for (const CutXml& t : textsEndingInACutCharacter()) {
        for (FormaXml forma : {FormaXml::tal_cual, FormaXml::como_archivo}) {
            SCOPED_TRACE(t.name);
            const char* bytes = page.place(t.bytes.data(), t.bytes.size());
            TiXmlDocument doc;
            bool parsed;
            {
                PageEndAllocations allocations;
                parsed = parsearXml(doc, bytes, t.bytes.size(), forma);
            }
            EXPECT_TRUE(parsed);
            EXPECT_TRUE(doc.Error());
        }
    }
}
