// Tests for the memory, file and string streams: reading, writing, seeking, sizes and errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"

namespace zk {
namespace {

template <typename E, typename F>
std::string ErrorOf(F&& Fn) {
    try {
        Fn();
    } catch (const E& Ex) {
        return Ex.Message();
    }
    return "<no exception>";
}

// A file name in the test's temporary directory, removed when the test ends.
class TTempFile {
public:
    explicit TTempFile(const std::string& Stem)
        : FName(::testing::TempDir() + "zk_stream_" + std::to_string(getpid()) + "_" + Stem) {
        std::remove(FName.c_str());
    }
    ~TTempFile() { std::remove(FName.c_str()); }
    const std::string& Name() const { return FName; }

private:
    std::string FName;
};

std::string ReadAll(TStream& S) {
    S.SetPosition(0);
    std::string Data(static_cast<size_t>(S.GetSize()), '\0');
    S.ReadBuffer(Data.data(), static_cast<int64_t>(Data.size()));
    return Data;
}

// ---------------------------------------------------------------- TMemoryStream

TEST(StreamMemory, WriteThenReadBack) {
    TMemoryStream M;
    EXPECT_EQ(M.GetSize(), 0);
    EXPECT_EQ(M.Write("hello", 5), 5);
    EXPECT_EQ(M.GetPosition(), 5);
    EXPECT_EQ(M.GetSize(), 5);
    M.SetPosition(0);
    char Buf[8] = {};
    EXPECT_EQ(M.Read(Buf, 8), 5);
    EXPECT_EQ(std::string(Buf, 5), "hello");
    EXPECT_EQ(M.Read(Buf, 8), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(M.GetMemory()), 5), "hello");
}

TEST(StreamMemory, SeekFromEachOrigin) {
    TMemoryStream M;
    M.WriteBuffer("0123456789", 10);
    EXPECT_EQ(M.Seek(3, soBeginning), 3);
    EXPECT_EQ(M.Seek(2, soCurrent), 5);
    EXPECT_EQ(M.Seek(-1, soEnd), 9);
    EXPECT_EQ(M.Remaining(), 1);
    EXPECT_EQ(M.Seek(-100, soCurrent), 0);  // clamped at the start
    EXPECT_EQ(M.Seek(5, soEnd), 15);        // past the end is allowed
    EXPECT_EQ(M.Read(nullptr, 4), 0);
}

TEST(StreamMemory, WritingPastTheEndGrowsWithZeros) {
    TMemoryStream M;
    M.WriteBuffer("ab", 2);
    M.Seek(4, soBeginning);
    M.WriteBuffer("z", 1);
    EXPECT_EQ(M.GetSize(), 5);
    EXPECT_EQ(ReadAll(M), std::string("ab\0\0z", 5));
}

TEST(StreamMemory, OverwriteInTheMiddle) {
    TMemoryStream M;
    M.WriteBuffer("abcdef", 6);
    M.SetPosition(2);
    M.WriteBuffer("XY", 2);
    EXPECT_EQ(M.GetSize(), 6);
    EXPECT_EQ(ReadAll(M), "abXYef");
}

TEST(StreamMemory, SetSizeAndClear) {
    TMemoryStream M;
    M.WriteBuffer("abcdef", 6);
    M.SetSize(3);
    EXPECT_EQ(M.GetSize(), 3);
    EXPECT_EQ(M.GetPosition(), 3);
    M.SetSize(5);
    EXPECT_EQ(ReadAll(M), std::string("abc\0\0", 5));
    M.Clear();
    EXPECT_EQ(M.GetSize(), 0);
    EXPECT_EQ(M.GetPosition(), 0);
}

TEST(StreamMemory, ReadBufferPastTheEndRaises) {
    TMemoryStream M;
    M.WriteBuffer("abc", 3);
    M.SetPosition(1);
    char Buf[4];
    EXPECT_EQ(ErrorOf<EReadError>([&] { M.ReadBuffer(Buf, 3); }), "Stream read error");
    EXPECT_EQ(ErrorOf<EReadError>([&] { M.ReadBuffer(Buf, -1); }), "Stream read error");
    M.SetPosition(0);
    M.ReadBuffer(Buf, 0);  // nothing asked, nothing to fail
    M.ReadBuffer(Buf, 3);
    EXPECT_EQ(std::string(Buf, 3), "abc");
}

TEST(StreamMemory, WriteBufferWithNegativeCountRaises) {
    TMemoryStream M;
    EXPECT_EQ(ErrorOf<EWriteError>([&] { M.WriteBuffer("x", -1); }), "Stream write error");
}

TEST(StreamMemory, ReadErrorsAreFilerAndStreamErrors) {
    TMemoryStream M;
    char C;
    EXPECT_THROW(M.ReadBuffer(&C, 1), EFilerError);
    EXPECT_THROW(M.ReadBuffer(&C, 1), EStreamError);
}

TEST(StreamMemory, LoadAndSaveStreams) {
    TStringStream Source("payload");
    Source.SetPosition(3);  // loading always starts from the beginning
    TMemoryStream M;
    M.LoadFromStream(&Source);
    EXPECT_EQ(M.GetSize(), 7);
    EXPECT_EQ(M.GetPosition(), 0);
    TStringStream Target("[");
    Target.Seek(0, soEnd);
    M.SaveToStream(&Target);
    EXPECT_EQ(Target.GetDataString(), "[payload");
}

TEST(StreamMemory, LoadAndSaveFiles) {
    TTempFile F("memory");
    TMemoryStream M;
    M.WriteBuffer("line\n\0bytes", 11);
    M.SaveToFile(F.Name());
    TMemoryStream Back;
    Back.LoadFromFile(F.Name());
    EXPECT_EQ(ReadAll(Back), std::string("line\n\0bytes", 11));
}

TEST(StreamMemory, LoadFromMissingFileNamesIt) {
    TMemoryStream M;
    EXPECT_EQ(ErrorOf<EFOpenError>([&] { M.LoadFromFile("/nonexistent/x"); }),
              "Cannot open file \"/nonexistent/x\". No such file or directory");
    EXPECT_EQ(ErrorOf<EFCreateError>([&] { M.SaveToFile("/nonexistent/x"); }),
              "Cannot create file \"/nonexistent/x\". No such file or directory");
}

TEST(StreamMemory, CopyFrom) {
    TStringStream Source("0123456789");
    Source.SetPosition(2);
    TMemoryStream M;
    EXPECT_EQ(M.CopyFrom(&Source, 4), 4);
    EXPECT_EQ(ReadAll(M), "2345");
    TMemoryStream All;
    EXPECT_EQ(All.CopyFrom(&Source, 0), 10);  // 0: the whole source from its start
    EXPECT_EQ(ReadAll(All), "0123456789");
    Source.SetPosition(8);
    EXPECT_EQ(ErrorOf<EReadError>([&] { M.CopyFrom(&Source, 5); }), "Stream read error");
}

// ---------------------------------------------------------------- TFileStream

TEST(StreamFile, CreateWriteAndReadBack) {
    TTempFile F("create");
    {
        TFileStream S(F.Name(), fmCreate);
        EXPECT_EQ(S.GetFileName(), F.Name());
        S.WriteBuffer("hello world", 11);
        EXPECT_EQ(S.GetSize(), 11);
        EXPECT_EQ(S.GetPosition(), 11);
    }
    TFileStream S(F.Name(), fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(S.GetSize(), 11);
    EXPECT_EQ(S.GetPosition(), 0);
    char Buf[5];
    EXPECT_EQ(S.Seek(6, soBeginning), 6);
    S.ReadBuffer(Buf, 5);
    EXPECT_EQ(std::string(Buf, 5), "world");
    EXPECT_EQ(S.Seek(-5, soCurrent), 6);
    EXPECT_EQ(S.Seek(-11, soEnd), 0);
    EXPECT_EQ(S.Remaining(), 11);
}

TEST(StreamFile, ReadBufferPastTheEndRaises) {
    TTempFile F("short");
    {
        TFileStream S(F.Name(), fmCreate);
        S.WriteBuffer("abc", 3);
    }
    TFileStream S(F.Name(), fmOpenRead);
    char Buf[8];
    EXPECT_EQ(S.Read(Buf, 8), 3);
    S.SetPosition(0);
    EXPECT_EQ(ErrorOf<EReadError>([&] { S.ReadBuffer(Buf, 4); }), "Stream read error");
}

TEST(StreamFile, OpenReadWriteChangesInPlace) {
    TTempFile F("inplace");
    {
        TFileStream S(F.Name(), fmCreate);
        S.WriteBuffer("abcdef", 6);
    }
    {
        TFileStream S(F.Name(), fmOpenReadWrite);
        S.Seek(2, soBeginning);
        S.WriteBuffer("XY", 2);
    }
    TFileStream S(F.Name(), fmOpenRead);
    EXPECT_EQ(ReadAll(S), "abXYef");
}

TEST(StreamFile, SetSizeTruncatesAndExtends) {
    TTempFile F("size");
    TFileStream S(F.Name(), fmCreate);
    S.WriteBuffer("abcdef", 6);
    S.SetSize(2);
    EXPECT_EQ(S.GetSize(), 2);
    S.SetSize(4);
    EXPECT_EQ(ReadAll(S), std::string("ab\0\0", 4));
}

TEST(StreamFile, CreateTruncatesAnExistingFile) {
    TTempFile F("truncate");
    {
        TFileStream S(F.Name(), fmCreate);
        S.WriteBuffer("long contents", 13);
    }
    TFileStream S(F.Name(), fmCreate);
    EXPECT_EQ(S.GetSize(), 0);
}

TEST(StreamFile, WritingToAReadOnlyStreamRaises) {
    TTempFile F("readonly");
    { TFileStream S(F.Name(), fmCreate); }
    TFileStream S(F.Name(), fmOpenRead);
    EXPECT_EQ(ErrorOf<EWriteError>([&] { S.WriteBuffer("x", 1); }), "Stream write error");
}

TEST(StreamFile, ErrorsNameTheFile) {
    EXPECT_EQ(ErrorOf<EFOpenError>([] { TFileStream S("/nonexistent/x", fmOpenRead); }),
              "Cannot open file \"/nonexistent/x\". No such file or directory");
    EXPECT_EQ(ErrorOf<EFOpenError>([] { TFileStream S("/nonexistent/x", fmOpenReadWrite); }),
              "Cannot open file \"/nonexistent/x\". No such file or directory");
    EXPECT_EQ(ErrorOf<EFCreateError>([] { TFileStream S("/nonexistent/x", fmCreate); }),
              "Cannot create file \"/nonexistent/x\". No such file or directory");
    EXPECT_THROW(TFileStream("/nonexistent/x", fmOpenRead), EStreamError);
}

// ---------------------------------------------------------------- TStringStream

TEST(StreamString, StartsAtTheBeginningOfItsData) {
    TStringStream S("abcdef");
    EXPECT_EQ(S.GetSize(), 6);
    EXPECT_EQ(S.GetPosition(), 0);
    EXPECT_EQ(S.ReadString(2), "ab");
    EXPECT_EQ(S.ReadString(100), "cdef");
    EXPECT_EQ(S.ReadString(1), "");
    EXPECT_EQ(S.ReadString(-1), "");
}

TEST(StreamString, WriteOverwritesAndExtends) {
    TStringStream S("abcdef");
    S.Seek(4, soBeginning);
    S.WriteString("XYZ");
    EXPECT_EQ(S.GetDataString(), "abcdXYZ");
    S.Seek(2, soEnd);
    S.WriteString("!");
    EXPECT_EQ(S.GetDataString(), std::string("abcdXYZ\0\0!", 10));
}

TEST(StreamString, SeekAndSize) {
    TStringStream S;
    S.WriteString("0123456789");
    EXPECT_EQ(S.Seek(-4, soEnd), 6);
    EXPECT_EQ(S.ReadString(2), "67");
    EXPECT_EQ(S.Seek(-1, soCurrent), 7);
    EXPECT_EQ(S.Seek(-20, soCurrent), 0);
    S.SetPosition(8);
    S.SetSize(5);
    EXPECT_EQ(S.GetPosition(), 5);
    EXPECT_EQ(S.GetDataString(), "01234");
    S.SetSize(-3);
    EXPECT_EQ(S.GetSize(), 0);
}

TEST(StreamString, ReadBufferPastTheEndRaises) {
    TStringStream S("ab");
    char Buf[3];
    EXPECT_EQ(ErrorOf<EReadError>([&] { S.ReadBuffer(Buf, 3); }), "Stream read error");
    S.SetPosition(0);
    S.ReadBuffer(Buf, 2);
    EXPECT_EQ(std::string(Buf, 2), "ab");
}

TEST(StreamString, BinaryBytesSurvive) {
    std::string Data("\0\xFF\x80\n\r", 5);
    TStringStream S;
    S.WriteBuffer(Data.data(), 5);
    EXPECT_EQ(S.GetDataString(), Data);
    S.SetPosition(0);
    EXPECT_EQ(S.ReadString(5), Data);
}

TEST(StreamString, GenericSizeGoesThroughSeek) {
    TStringStream S("abc");
    S.SetPosition(1);
    TStream& Base = S;
    EXPECT_EQ(Base.TStream::GetSize(), 3);
    EXPECT_EQ(S.GetPosition(), 1);  // restored
}

}  // namespace
}  // namespace zk
