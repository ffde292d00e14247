// XML text handed to TinyXML so that the parser can never read past the end of it.
#pragma once

#include <cstddef>
#include <tinyxml.h>

// TinyXML steps over a character by the length its first byte announces, at most 4 bytes, without
// looking at the bytes it steps over: from the last byte of a text it can land 3 bytes past the
// terminating zero. So many zeros follow every text it is given that it lands on one of them.
constexpr std::size_t CEROS_TRAS_XML = 4;

// How the bytes reach the parser.
enum class FormaXml {
    // Byte for byte, as held.
    tal_cual,
    // As TinyXML's own file loader hands a file over: up to the first zero byte, with every CR LF
    // and every lone CR turned into one LF.
    como_archivo,
};

// Parses `largo` bytes of `texto` (any bytes, no terminating zero needed) into `doc`, with the
// encoding detected from the text as TinyXML does; `doc.Error()` then tells how it went. Returns
// false, without parsing, when the text nests its elements deeper than the parser can walk.
bool parsearXml(TiXmlDocument& doc, const char* texto, std::size_t largo, FormaXml forma);
