// zkformconv: converts a form description between the binary and the text form.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

#include "platform/core/FormText.h"

namespace {

const char Usage[] =
    "usage: zkformconv t2b INPUT OUTPUT   text form to binary form\n"
    "       zkformconv b2t INPUT OUTPUT   binary form to text form\n"
    "INPUT or OUTPUT '-' means standard input or standard output.\n";

std::string ReadInput(const std::string& Name) {
    if (Name == "-") {
        std::cin.exceptions(std::ios::goodbit);
        std::string Data((std::istreambuf_iterator<char>(std::cin)),
                         std::istreambuf_iterator<char>());
        if (std::cin.bad()) throw zk::EReadError("Cannot read standard input");
        return Data;
    }
    zk::TFileStream F(Name, zk::fmOpenRead);
    std::string Data(static_cast<size_t>(F.GetSize()), '\0');
    F.ReadBuffer(Data.data(), static_cast<int64_t>(Data.size()));
    return Data;
}

// The output is only created once the conversion has succeeded.
void WriteOutput(const std::string& Name, const std::string& Data) {
    if (Name == "-") {
        if (std::fwrite(Data.data(), 1, Data.size(), stdout) != Data.size() ||
            std::fflush(stdout) != 0)
            throw zk::EWriteError("Cannot write standard output");
        return;
    }
    zk::TFileStream F(Name, zk::fmCreate);
    F.WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::fputs(Usage, stdout);
        return 0;
    }
    std::string Mode = argc == 4 ? argv[1] : "";
    if (Mode != "t2b" && Mode != "b2t") {
        std::fputs(Usage, stderr);
        return 2;
    }
    const std::string In = argv[2], Out = argv[3];
    std::string Data;
    try {
        Data = ReadInput(In);
    } catch (const zk::Exception& E) {
        std::fprintf(stderr, "zkformconv: %s\n", E.Message().c_str());
        return 1;
    }
    try {
        Data = Mode == "t2b" ? zk::ObjectTextToBinary(Data) : zk::ObjectBinaryToText(Data);
    } catch (const zk::Exception& E) {
        std::fprintf(stderr, "zkformconv: %s: %s\n", In == "-" ? "<stdin>" : In.c_str(),
                     E.Message().c_str());
        return 1;
    }
    try {
        WriteOutput(Out, Data);
    } catch (const zk::Exception& E) {
        std::fprintf(stderr, "zkformconv: %s\n", E.Message().c_str());
        return 1;
    }
    return 0;
}
