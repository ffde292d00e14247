// Test helper: XML texts whose last bytes begin a character (or a byte-order mark) they never end.
#pragma once

#include <string>
#include <vector>

struct CutXml {
    std::string name;
    std::string bytes;
};

// The difficulty file the fuzzer found: it ends in 0xEE, the first byte of a three-byte character.
inline std::string foundDifficultyFile() {
    return "<?xml ve=\"UTF-8\"? cada mismisi.-->\n<dificultad>\n  <Normal>\n    <valores "
           "rad_city=\"\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"
           "0.5\" separacion_city=\"/.8\" dificultad=\"5\" it\xaa"
           "avion=\"2\" it=\"5\"/>\n  </Normal>\x8c"
           "dificultad>\xee";
}

// Every lead byte of a two-, three- and four-byte character as the last byte of a text the parser
// reads as UTF-8 (after a declaration, after a byte-order mark, in text and in an attribute), and
// as the last byte of one it reads byte by byte; then byte-order marks cut short. Each text that
// the parser reads as UTF-8 is longer than a string keeps in itself or rounds up to, so every copy
// of it ends where its allocation does.
inline std::vector<CutXml> textsEndingInACutCharacter() {
    std::vector<CutXml> texts;
    for (const char* lead : {"\xC2", "\xE0", "\xEE", "\xF0", "\xF4"}) {
        const std::string l = lead;
        const std::string hex = std::to_string(static_cast<unsigned char>(l[0]));
        texts.push_back({"declaration, text, lead " + hex,
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<d>\n<Normal>" + l});
        texts.push_back({"declaration, attribute, lead " + hex,
                         "<?xml version=\"1.0\"?>\n<d><Normal><a dificultad=\"" + l});
        texts.push_back({"byte-order mark, text, lead " + hex,
                         "\xEF\xBB\xBF<dificultad>\n<Normal>\n<valores/>\n<nota>" + l});
        texts.push_back({"no declaration, lead " + hex, "<d>" + l});
    }
    texts.push_back({"byte-order mark cut after one byte", "\xEF"});
    texts.push_back({"byte-order mark cut after two bytes", "\xEF\xBB"});
    texts.push_back(
        {"declaration, cut byte-order mark", "<?xml version=\"1.0\"?>\n<d>\n<Normal>\xEF\xBB"});
    texts.push_back({"byte-order mark, cut byte-order mark",
                     "\xEF\xBB\xBF<dificultad>\n<Normal>\n<valores/>\xEF\xBB"});
    texts.push_back(
        {"byte-order mark, attribute, cut", "\xEF\xBB\xBF<d><Normal><a dificultad='\xEF"});
    texts.push_back({"the file the fuzzer found", foundDifficultyFile()});
    return texts;
}
