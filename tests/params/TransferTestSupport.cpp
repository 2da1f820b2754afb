#include "TransferTestSupport.h"

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"

namespace kq9test {

void TTransferView::Attach(TTransferSequence& sequence) {
    sequence.OnPanel = [this](const QString& text, bool red) {
        Panel = text;
        Red = red;
    };
    sequence.OnProgressMaximum = [this](int maximum) { Maximum = maximum; };
    sequence.OnProgress = [this](int position) { Position = position; };
    sequence.OnButtons = [this](bool ok, bool again, bool cancel) {
        Ok = ok;
        Again = again;
        Cancel = cancel;
        FocusOK = false;
    };
    sequence.OnFocusOK = [this] { FocusOK = true; };
    sequence.OnClose = [this](int modalResult) { Closed = modalResult; };
}

void Reply(TLD100Protocol& component, const std::string& text, bool lineEnd) {
    TMemoryStream stream;
    std::string bytes = lineEnd ? text + "\r\n" : text;
    stream.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    stream.SetPosition(0);
    component.OnCommResult(&component, stream);
}

void Error(TLD100Protocol& component, const TCommError& error) {
    TMemoryStream stream;
    component.OnCommError(&component, error, stream);
}

bool LoadShippedLanguage(int taal) {
    SetProgramPath(QString::fromLocal8Bit(qgetenv("KQ9_DATA_DIR")));
    GlobalVar().Taal = taal;
    TekstFile_Lezen();
    return GlobalVar().LanguageFileLoaded;
}

void UnloadLanguage() {
    TekstFile_Vrijgeven();
    GlobalVar().Taal = 0;
}

} // namespace kq9test
