// Basic operations on texts: length, joining, ordering, slicing, repetition, single characters
// and case. Positions are 1-based; an empty result is the null (empty) text. Portable.
#pragma once

#include <initializer_list>
#include <string_view>

#include "runtime/value_types.h"

namespace rt {

int TextLength(std::string_view text);
// Concatenation of all parts, empty parts counting as nothing.
TextValue TextJoin(std::initializer_list<std::string_view> parts);
// Byte-wise comparison by unsigned bytes: negative, 0 or positive.
int TextOrder(std::string_view a, std::string_view b);
TextValue TextCopy(std::string_view text);

// The first / last `count` bytes (the whole text when `count` reaches its length).
TextValue TextLeft(std::string_view text, int count);
TextValue TextRight(std::string_view text, int count);
// `count` bytes from 1-based `start`, cut at the end; a start outside the text gives null.
TextValue TextMid(std::string_view text, int start, int count);

TextValue TextRepeat(int times, std::string_view text);
TextValue TextSpaces(int count);
// A one-byte text of the code's low byte; the zero byte gives null.
TextValue TextFromCharCode(int code);
// The byte at 1-based `position` as a signed 8-bit value; outside the text 0.
int CharCodeAt(std::string_view text, int position = 1);

// ASCII letters lowered; double-byte characters stay as they are.
TextValue TextToLower(std::string_view text);
// Not exact: ignores the case of ASCII letters (negative, 0 or positive). Exact: -1, 0 or 1 by
// unsigned bytes.
int TextCompare(std::string_view a, std::string_view b, bool exact = false);

}  // namespace rt
