#pragma once
// Driving the bulk transfer sequences without a line: replies and errors are handed straight to
// the components' events, and what the sequence shows is recorded.

#include "comm/LD100Protocol.h"
#include "params/TransferSequence.h"

#include <QString>

#include <string>
#include <vector>

namespace kq9test {

struct TTransferView {
    QString Panel;
    bool Red = false;
    int Maximum = -1;
    int Position = -1;
    bool Ok = false;
    bool Again = false;
    bool Cancel = false;
    bool FocusOK = false;
    int Closed = 0; // the modal result, 0 while open

    void Attach(TTransferSequence& sequence);
};

// The reply `text` (line end added unless `lineEnd` is false) as the component's result event.
void Reply(TLD100Protocol& component, const std::string& text, bool lineEnd = true);
void Error(TLD100Protocol& component, const TCommError& error);

// Loads the shipped language file of `taal` (0 Dutch, 1 English, 2 German); false without one.
bool LoadShippedLanguage(int taal);
void UnloadLanguage();

} // namespace kq9test
