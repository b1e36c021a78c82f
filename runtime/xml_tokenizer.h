// Splits a comment-free document into tokens. A token is one tag, from its "<" through its ">",
// followed (unless the tag ends with "/>") by the text content up to and including the "<" of
// the next tag. Bytes between a self-closing tag and the next "<" lead the next token.
// Declarations and instructions ("<!...>", "<?...>") are skipped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rt::xml {

enum class TokenResult { kToken, kEnd, kError };

class Tokenizer {
  public:
    explicit Tokenizer(std::string_view input) : input_(input) {}

    // Replaces `token` with the next token. kEnd when the input ran out before a tag was
    // complete, kError on malformed markup.
    TokenResult Next(std::string& token);

  private:
    TokenResult ReadTag(std::string& token);
    TokenResult ReadTextContent(std::string& token);
    bool SkipTo(std::string_view terminator, bool keep, std::string& token);

    std::string_view input_;
    std::size_t pos_ = 0;
};

}  // namespace rt::xml
