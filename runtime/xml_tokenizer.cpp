#include "runtime/xml_tokenizer.h"

#include "runtime/xml_bytes.h"

namespace rt::xml {
namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

TokenResult Tokenizer::Next(std::string& token) {
    token.clear();
    const TokenResult tag = ReadTag(token);
    if (tag != TokenResult::kToken || EndsWith(token, "/>")) return tag;
    return ReadTextContent(token);
}

// Gathers bytes up to and including the ">" of the next tag that is not skipped. Inside a tag a
// double quote toggles a quoted state in which every byte is literal.
TokenResult Tokenizer::ReadTag(std::string& token) {
    bool inTag = false;
    bool quoted = false;
    bool skipping = false;  // inside "<!...>" or "<?...>": gathered, then thrown away
    std::size_t tagStart = 0;
    while (pos_ < input_.size()) {
        const std::size_t length = CharLength(input_, pos_);
        const char c = input_[pos_];
        if (length == 1 && !quoted && c == '<') {
            if (inTag || pos_ + 1 >= input_.size()) return TokenResult::kError;
            inTag = true;
            const char next = input_[pos_ + 1];
            if (next == '!' || next == '?') {
                skipping = true;
                pos_ += 2;
                continue;
            }
            tagStart = token.size();
        } else if (length == 1 && !quoted && c == '>') {
            if (!inTag) return TokenResult::kError;
            ++pos_;
            if (skipping) {
                inTag = skipping = false;
                continue;
            }
            token += '>';
            if (std::string_view(token).substr(tagStart) == "</>") return TokenResult::kError;
            return TokenResult::kToken;
        } else if (length == 1 && inTag && c == '"') {
            quoted = !quoted;
        }
        if (!skipping) token.append(input_.substr(pos_, length));
        pos_ += length;
    }
    return TokenResult::kEnd;
}

// Gathers the text content after a tag up to and including the "<" that starts the next tag;
// that "<" stays in the input. CDATA sections are copied whole, other "<!...>" runs dropped.
TokenResult Tokenizer::ReadTextContent(std::string& token) {
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        if (IsLeadByte(c)) {
            if (pos_ + 1 >= input_.size()) return TokenResult::kError;
            token.append(input_.substr(pos_, 2));
            pos_ += 2;
            continue;
        }
        if (c == '>') return TokenResult::kError;
        if (c == '<') {
            if (input_.substr(pos_, kCdataOpen.size()) == kCdataOpen) {
                if (!SkipTo(kCdataClose, true, token)) return TokenResult::kError;
                continue;
            }
            if (pos_ + 1 < input_.size() && input_[pos_ + 1] == '!') {
                if (!SkipTo(">", false, token)) return TokenResult::kError;
                continue;
            }
            token += '<';
            return TokenResult::kToken;
        }
        token += c;
        ++pos_;
    }
    // The tag itself was complete; the input simply ended in its text content.
    return TokenResult::kToken;
}

// Moves past the next `terminator` (searched on character boundaries from the current "<"),
// appending what it passes to `token` when `keep` is set. False when there is none.
bool Tokenizer::SkipTo(std::string_view terminator, bool keep, std::string& token) {
    const std::size_t found = FindOnCharBoundary(input_, terminator, pos_ + 2);
    if (found == std::string_view::npos) return false;
    const std::size_t end = found + terminator.size();
    if (keep) token.append(input_.substr(pos_, end - pos_));
    pos_ = end;
    return true;
}

}  // namespace rt::xml
