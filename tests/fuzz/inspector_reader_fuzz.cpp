// libFuzzer target: arbitrary bytes read as the stream of an object inspector (its rows in
// "HItems", its presets in "HPresets") must load or raise an exception, never crash or leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <QtGlobal>

#include "inspector/ZkInspectorRegistration.h"
#include "inspector/ZkObjectInspector.h"
#include "platform/core/Filer.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/gui/Application.h"
#include "platform/gui/StdCtrls.h"

namespace {

// A stream written by a real inspector, so that mutations start from valid rows and presets.
std::string SeedStream() {
    zk::TOwned<zk::TZkObjectInspector> Source(zk::Create<zk::TZkObjectInspector>(nullptr));
    zk::TOwned<zk::TButton> Button(zk::Create<zk::TButton>(nullptr));
    Source->SetName("Seed");
    Source->SetInspectedComponent(Button.get());
    Source->Rescan();
    zk::TStringStream S;
    zk::WriteComponentToStream(&S, Source.get());
    return S.GetDataString();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zk::InitApplication(*argc, *argv);
    // libFuzzer ends with exit(): the application must go before Qt's own globals do.
    std::atexit([] { zk::DoneApplication(); });
    zk::RegisterInspectorClasses();
    // The seed is printed once so that a corpus can start from it: ZK_FUZZ_SEED=path.
    if (const char* Path = std::getenv("ZK_FUZZ_SEED")) {
        zk::TFileStream Out(Path, zk::fmCreate);
        const std::string Seed = SeedStream();
        Out.WriteBuffer(Seed.data(), static_cast<int>(Seed.size()));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::string Bytes(reinterpret_cast<const char*>(Data), Size);
    for (int Pass = 0; Pass < 2; ++Pass) {
        std::string Stream = Bytes;
        if (Pass == 1) {
            try {
                Stream = zk::ObjectTextToBinary(Bytes);
            } catch (const zk::Exception&) {
                break;
            }
        }
        zk::TOwned<zk::TZkObjectInspector> Inspector(zk::Create<zk::TZkObjectInspector>(nullptr));
        try {
            zk::TStringStream S(Stream);
            zk::ReadComponentFromStream(&S, Inspector.get());
        } catch (const zk::Exception&) {
        }
    }
    return 0;
}
