#pragma once
// A large, repeatable text for the micro-benchmarks: lines of 30 to 110 bytes of English words
// and source-code punctuation, CR LF or LF ended, in which "the", "trampoline" and "lemonade"
// never occur unless planted.
#include <random>
#include <string>
#include <string_view>

inline std::string SampleText(std::size_t size) {
  static constexpr std::string_view Words[] = {"that",
                                               "with",
                                               "this",
                                               "from",
                                               "they",
                                               "which",
                                               "what",
                                               "would",
                                               "where",
                                               "about",
                                               "int",
                                               "void",
                                               "return",
                                               "static",
                                               "const",
                                               "char",
                                               "struct",
                                               "if",
                                               "else",
                                               "for",
                                               "while",
                                               "size_t",
                                               "buffer",
                                               "length",
                                               "value",
                                               "index",
                                               "count",
                                               "name",
                                               "path",
                                               "file",
                                               "folder",
                                               "line",
                                               "text",
                                               "Error",
                                               "Message",
                                               "TList",
                                               "begin",
                                               "end",
                                               "of",
                                               "and",
                                               "to",
                                               "in",
                                               "is",
                                               "was",
                                               "on",
                                               "as",
                                               "by",
                                               "at",
                                               "or",
                                               "not",
                                               "an",
                                               "0",
                                               "1",
                                               "42",
                                               "0x7f",
                                               "=",
                                               "==",
                                               "(",
                                               ")",
                                               "{",
                                               "}",
                                               ";",
                                               ",",
                                               "->",
                                               "//",
                                               "/*",
                                               "*/",
                                               "#include",
                                               "<stdio.h>",
                                               "\"quoted\"",
                                               "'c'",
                                               "+",
                                               "-",
                                               "\xE9t\xE9",
                                               "\xC9"
                                               "cole",
                                               "fa\xE7on",
                                               "na\xEFve",
                                               "mod\xE8le",
                                               "Fichier",
                                               "Dossier"};
  std::mt19937 random(1980);
  std::uniform_int_distribution<std::size_t> word(0, std::size(Words) - 1);
  std::uniform_int_distribution<std::size_t> width(30, 110);
  std::string text;
  text.reserve(size + 128);
  while (text.size() < size) {
    const std::size_t end = text.size() + width(random);
    while (text.size() < end)
      (text += Words[word(random)]) += ' ';
    text += random() % 4 ? "\n" : "\r\n";
  }
  text.resize(size);
  return text;
}

// Puts needle at the start of every line, or of one line in every interval bytes.
inline void PlantNeedle(std::string& text, std::string_view needle, std::size_t interval) {
  for (std::size_t at = 0; at + needle.size() < text.size(); at += interval) {
    at = text.find('\n', at);
    if (at == std::string::npos || at + 1 + needle.size() > text.size()) break;
    text.replace(at + 1, needle.size(), needle);
  }
}
