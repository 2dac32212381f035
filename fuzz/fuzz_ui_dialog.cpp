// Builds the report settings dialog offscreen from arbitrary archive bytes: a tagged
// CUIDialog (or a dialog read in place when the bytes hold no tagged one), checked,
// built, its values saved back, then destroyed. Malformed bytes must end in a
// CCodecException; any dialog must build without a crash, a hang or an unbounded
// allocation.
#include "codec/archive.h"
#include "codec/class_registry.h"
#include "codec/codec_exception.h"
#include "codec/mem_file.h"
#include "records/register_records.h"
#include "records/ui_dialog.h"
#include "report/widgets/ui_dialog_window.h"

#include <QApplication>

#include <cstdint>
#include <memory>
#include <string>

namespace {

void Build(CUIDialog& dialog)
{
    if (CheckUIDialog(dialog))
        return;
    CUIDialogWindow window(dialog);
    window.SaveValues();
}

}  // namespace

// Qt's font look-ups go through fontconfig, whose caches live as long as the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QApplication* application = [] {
        RegisterRecordClasses(CClassRegistry::Global());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_ui_dialog";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);  // lives for the whole process
    }();
    (void)application;

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::shared_ptr<CUIDialog> dialog;
    try {
        CMemFile file(bytes);
        CArchive ar(file, CArchive::load);
        dialog = std::dynamic_pointer_cast<CUIDialog>(ar.ReadObject());
    } catch (const CCodecException&) {
    }
    if (!dialog) {
        try {
            CMemFile file(bytes);
            CArchive ar(file, CArchive::load);
            auto inPlace = std::make_shared<CUIDialog>();
            inPlace->Serialize(ar);
            dialog = inPlace;
        } catch (const CCodecException&) {
        }
    }
    if (dialog)
        Build(*dialog);
    return 0;
}
