// Byte streams: the abstract TStream and its memory, file and string variants.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/Object.h"

namespace zk {

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

// File modes as the framework combines them: one open mode, optionally ORed with a share mode.
inline constexpr uint16_t fmCreate = 0xFF00;
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
    ZK_CLASS(TStream, TObject)
public:
    TStream() = default;

    // Reads up to Count bytes; returns how many were read.
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    // Writes up to Count bytes; returns how many were written.
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Value) { Seek(Value, soBeginning); }
    virtual int64_t GetSize();
    virtual void SetSize(int64_t NewSize);
    // Bytes left between the position and the end.
    int64_t Remaining() { return GetSize() - GetPosition(); }

    // Exactly Count bytes or EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
    // Copies Count bytes from Source (all of it from the start when Count is 0).
    int64_t CopyFrom(TStream* Source, int64_t Count);
};

// A stream over a growable memory block.
class TMemoryStream : public TStream {
    ZK_CLASS(TMemoryStream, TStream)
public:
    TMemoryStream() = default;
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t GetSize() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t NewSize) override;
    void Clear();
    const uint8_t* GetMemory() const { return FData.data(); }
    const std::vector<uint8_t>& Data() const { return FData; }
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);
    // "Cannot open file \"%s\". %s" / "Cannot create file \"%s\". %s".
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

// A stream over a file. Failures name the file: EFCreateError "Cannot create
// file \"%s\". %s" and EFOpenError "Cannot open file \"%s\". %s".
class TFileStream : public TStream {
    ZK_CLASS(TFileStream, TStream)
public:
    TFileStream(const std::string& FileName, uint16_t Mode);
    ~TFileStream() override;
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;
    const std::string& GetFileName() const { return FFileName; }

private:
    std::string FFileName;
    std::FILE* FFile = nullptr;  // owned
};

// A stream over a byte string.
class TStringStream : public TStream {
    ZK_CLASS(TStringStream, TStream)
public:
    explicit TStringStream(std::string Data = std::string()) : FData(std::move(Data)) {}
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t GetSize() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t NewSize) override;
    const std::string& GetDataString() const { return FData; }
    std::string ReadString(int64_t Count);
    void WriteString(const std::string& S);

private:
    std::string FData;
    int64_t FPosition = 0;
};

}  // namespace zk
