// Byte streams.
#include "platform/core/Stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TStream)
void TStream::DescribeClass(TClassBuilder<TStream>&) {}
ZK_IMPLEMENT_CLASS(TMemoryStream)
void TMemoryStream::DescribeClass(TClassBuilder<TMemoryStream>&) {}
ZK_IMPLEMENT_CLASS(TFileStream)
void TFileStream::DescribeClass(TClassBuilder<TFileStream>&) {}
ZK_IMPLEMENT_CLASS(TStringStream)
void TStringStream::DescribeClass(TClassBuilder<TStringStream>&) {}

namespace {

int64_t SeekIn(int64_t Position, int64_t Size, int64_t Offset, TSeekOrigin Origin) {
    int64_t Base = Origin == soBeginning ? 0 : Origin == soCurrent ? Position : Size;
    return std::max<int64_t>(0, Base + Offset);
}

}  // namespace

// ---- TStream ----

int64_t TStream::GetSize() {
    int64_t Pos = Seek(0, soCurrent);
    int64_t Size = Seek(0, soEnd);
    Seek(Pos, soBeginning);
    return Size;
}

void TStream::SetSize(int64_t) {}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
    if (Count < 0 || (Count > 0 && Read(Buffer, Count) != Count)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
    if (Count < 0 || (Count > 0 && Write(Buffer, Count) != Count)) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->GetSize();
    }
    int64_t Result = Count;
    std::vector<uint8_t> Buffer(static_cast<size_t>(std::min<int64_t>(Count, 64 * 1024)));
    while (Count > 0) {
        int64_t N = std::min<int64_t>(Count, static_cast<int64_t>(Buffer.size()));
        Source->ReadBuffer(Buffer.data(), N);
        WriteBuffer(Buffer.data(), N);
        Count -= N;
    }
    return Result;
}

// ---- TMemoryStream ----

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
    int64_t N = std::clamp<int64_t>(GetSize() - FPosition, 0, std::max<int64_t>(Count, 0));
    if (N > 0) std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
    FPosition += N;
    return N;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
    if (Count <= 0) return 0;
    if (FPosition + Count > GetSize()) FData.resize(static_cast<size_t>(FPosition + Count));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition += Count;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    FPosition = SeekIn(FPosition, GetSize(), Offset, Origin);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(NewSize, 0)));
    FPosition = std::min(FPosition, GetSize());
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    Stream->SetPosition(0);
    int64_t Size = Stream->GetSize();
    FData.resize(static_cast<size_t>(Size));
    FPosition = 0;
    if (Size) Stream->ReadBuffer(FData.data(), Size);
}

void TMemoryStream::SaveToStream(TStream* Stream) {
    if (!FData.empty()) Stream->WriteBuffer(FData.data(), GetSize());
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    TFileStream F(FileName, fmOpenRead);
    LoadFromStream(&F);
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
    TFileStream F(FileName, fmCreate);
    SaveToStream(&F);
}

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : FFileName(FileName) {
    if (Mode == fmCreate || (Mode & 0xFF00) == fmCreate) {
        FFile = std::fopen(FileName.c_str(), "w+b");
        if (!FFile) throw EFCreateError("Cannot create file \"%s\". %s", {FileName, std::strerror(errno)});
        return;
    }
    const char* OpenMode = (Mode & 3) == fmOpenRead ? "rb" : "r+b";
    FFile = std::fopen(FileName.c_str(), OpenMode);
    if (!FFile) throw EFOpenError("Cannot open file \"%s\". %s", {FileName, std::strerror(errno)});
}

TFileStream::~TFileStream() {
    if (FFile) std::fclose(FFile);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
    if (Count <= 0) return 0;
    return static_cast<int64_t>(std::fread(Buffer, 1, static_cast<size_t>(Count), FFile));
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
    if (Count <= 0) return 0;
    return static_cast<int64_t>(std::fwrite(Buffer, 1, static_cast<size_t>(Count), FFile));
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    int Whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    if (std::fseek(FFile, static_cast<long>(Offset), Whence) != 0) return -1;
    return static_cast<int64_t>(std::ftell(FFile));
}

void TFileStream::SetSize(int64_t NewSize) {
    std::fflush(FFile);
    if (ftruncate(fileno(FFile), static_cast<off_t>(NewSize)) != 0) throw EStreamError("Stream write error");
}

// ---- TStringStream ----

int64_t TStringStream::Read(void* Buffer, int64_t Count) {
    int64_t N = std::clamp<int64_t>(GetSize() - FPosition, 0, std::max<int64_t>(Count, 0));
    if (N > 0) std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
    FPosition += N;
    return N;
}

int64_t TStringStream::Write(const void* Buffer, int64_t Count) {
    if (Count <= 0) return 0;
    if (FPosition + Count > GetSize()) FData.resize(static_cast<size_t>(FPosition + Count));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition += Count;
    return Count;
}

int64_t TStringStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    FPosition = SeekIn(FPosition, GetSize(), Offset, Origin);
    return FPosition;
}

void TStringStream::SetSize(int64_t NewSize) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(NewSize, 0)));
    FPosition = std::min(FPosition, GetSize());
}

std::string TStringStream::ReadString(int64_t Count) {
    int64_t N = std::clamp<int64_t>(GetSize() - FPosition, 0, std::max<int64_t>(Count, 0));
    std::string S = FData.substr(static_cast<size_t>(FPosition), static_cast<size_t>(N));
    FPosition += N;
    return S;
}

void TStringStream::WriteString(const std::string& S) { Write(S.data(), static_cast<int64_t>(S.size())); }

}  // namespace zk
