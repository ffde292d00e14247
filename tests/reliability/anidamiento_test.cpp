// Tests of the XML nesting guard: what counts as a level, what hides nothing, where it refuses.
#include "anidamiento.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += "<a>";
    }
    for (int i = 0; i < depth; ++i) {
        text += "</a>";
    }
    return text;
}

} // namespace

TEST(XmlNesting, CountsOpenElementsNotSiblingsOrEmptyOnes) {
    EXPECT_EQ(anidamientoXml(""), 0);
    EXPECT_EQ(anidamientoXml("no xml at all"), 0);
    EXPECT_EQ(anidamientoXml("<r><Normal><a x=\"1\"/><b/></Normal></r>"), 2);
    EXPECT_EQ(anidamientoXml("<r><a></a><a></a><a></a></r>"), 2);
    EXPECT_EQ(anidamientoXml(nested(300)), 300);
    // Never closed: the parser still walks every level.
    EXPECT_EQ(anidamientoXml("<a><a><a>"), 3);
}

TEST(XmlNesting, SkippedTextHidesNoLevelAndQuotedMarksCloseNothing) {
    EXPECT_EQ(anidamientoXml("<?xml version=\"1.0\"?><!-- <a><a> --><r><![CDATA[<a><a>]]></r>"), 1);
    EXPECT_EQ(anidamientoXml("<!DOCTYPE r><r>text with > and / in it</r>"), 1);
    // '/>' inside a value does not make the element empty; '>' inside a value does not end it.
    EXPECT_EQ(anidamientoXml("<a x=\"/>\"><a y='>'><a/></a></a>"), 2);
    // Stray closings cannot bring the count below zero and hide later levels.
    EXPECT_EQ(anidamientoXml("</a></a></a>" + nested(5)), 5);
    // '<' not starting a name is an unknown node up to its '>': what follows is counted.
    EXPECT_EQ(anidamientoXml("<1 '>" + nested(4)), 4);
}

TEST(XmlNesting, RefusesOnlyBeyondTheLimit) {
    EXPECT_FALSE(xmlDemasiadoAnidado(nested(MAX_ANIDAMIENTO_XML)));
    EXPECT_TRUE(xmlDemasiadoAnidado(nested(MAX_ANIDAMIENTO_XML + 1)));
    // Many siblings are not depth: a long flat file is fine.
    std::string flat = "<r>";
    for (int i = 0; i < 100000; ++i) {
        flat += "<c id=\"1\"/>";
    }
    EXPECT_FALSE(xmlDemasiadoAnidado(flat + "</r>"));
}
