// Conversion of the binary form stream to its readable text form and back.
#pragma once
#include <string>

#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"

namespace zk {

// A syntax error in the text form; the message starts with "Line N: ".
ZK_DECLARE_EXCEPTION(EParserError, EConvertError)

// Reads one component from Input's position and appends its text form to Output.
// Malformed binary input raises EReadError.
void ObjectBinaryToText(TStream* Input, TStream* Output);

// Reads the text form from Input's position to its end and appends the binary
// form to Output. Syntax errors raise EParserError naming the line.
void ObjectTextToBinary(TStream* Input, TStream* Output);

std::string ObjectBinaryToText(const std::string& Binary);
std::string ObjectTextToBinary(const std::string& Text);

}  // namespace zk
