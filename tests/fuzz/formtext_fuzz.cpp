// libFuzzer target: converts arbitrary bytes as text and as binary forms and checks round trips.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/FormText.h"

namespace {

void Check(bool Condition) {
    if (!Condition) std::abort();
}

// Whatever the text parser accepts must survive binary -> text -> binary unchanged,
// and its text form must already be normal.
void TextRoundTrip(const std::string& Input) {
    std::string Binary;
    try {
        Binary = zk::ObjectTextToBinary(Input);
    } catch (const zk::EParserError&) {
        return;
    }
    std::string Text = zk::ObjectBinaryToText(Binary);
    std::string Binary2 = zk::ObjectTextToBinary(Text);
    Check(Binary2 == Binary);
    Check(zk::ObjectBinaryToText(Binary2) == Text);
}

// Hostile binary input may only be refused with EReadError; text that comes out
// and parses again must then be stable.
void BinaryInput(const std::string& Input) {
    std::string Text;
    try {
        Text = zk::ObjectBinaryToText(Input);
    } catch (const zk::EReadError&) {
        return;
    }
    std::string Binary;
    try {
        Binary = zk::ObjectTextToBinary(Text);
    } catch (const zk::EParserError&) {
        return;  // names or identifiers with no text form
    }
    std::string Text2 = zk::ObjectBinaryToText(Binary);
    Check(zk::ObjectTextToBinary(Text2) == Binary);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Input(reinterpret_cast<const char*>(Data), Size);
    TextRoundTrip(Input);
    BinaryInput(Input);
    // Give the binary reader well-formed starts too.
    if (Size > 0 && Data[0] == 'T') BinaryInput("TPF0" + Input.substr(1));
    return 0;
}
