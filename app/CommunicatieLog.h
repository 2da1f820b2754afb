#pragma once
// TFormCommunicatieLog: every exchange on the line as it happens (time, component, command,
// reply or failure, duration), beside the other windows. The port fills the log's bounded buffer
// from its worker; this window takes from it on a timer, so neither the worker nor the UI thread
// ever waits for the other. Pause stops the taking (the buffer keeps the newest exchanges
// meanwhile), a filter shows one component, and the lines shown can be saved as text.

#include "app/ActivatedDialog.h"
#include "app/FileDialogs.h"
#include "comm/CommLog.h"

#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TLBComm;
class TModalLending;

class TFormCommunicatieLog : public TActivatedDialog {
public:
    static constexpr int ReadIntervalMs = 200;
    // Lines kept and shown; older ones go.
    static constexpr int MaxLines = 10000;

    // Attaches a log to `port` for as long as the window exists.
    TFormCommunicatieLog(TLBComm* port, QWidget* owner);
    ~TFormCommunicatieLog() override;

    QLabel* LabelComponent;
    QComboBox* ComboComponent;
    QPushButton* CmdPauze;
    QPushButton* CmdWissen;
    QPushButton* CmdOpslaan;
    QPlainTextEdit* MemoLog;
    QLabel* LabelAantal;
    QPushButton* CmdSluiten;
    QTimer TimerLezen;

    // Reads the language texts; each time it is shown.
    void FormActivate() override;
    // Shows the window without waiting. While a modal window runs, the window is lent to it so
    // that it stays usable; it returns to its owner when that window closes.
    void ShowNonModal();

    // Takes what the port logged since the last time.
    void TimerLezenTimer();
    void CmdPauzeClick();
    void CmdWissenClick();
    void CmdOpslaanClick();
    void ComboComponentChange();

    bool Paused() const;
    // The lines shown, oldest first, as they are saved.
    QStringList ShownLines() const;
    const std::shared_ptr<TCommLog>& Log() const { return FLog; }

    // The save dialog and the message of a failed save; tests replace them.
    std::function<QString(const TFileDialogRequest&)> GetSaveFileName;
    std::function<void(const QString& text)> ShowSaveError;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct TLine {
        QString Component; // empty for a note that belongs to every component
        QString Text;
    };

    void CreateControls();
    void AddComponent(const QString& name);
    bool Matches(const TLine& line) const;
    void ShowAllLines();
    void AppendLines(const QStringList& lines);
    void UpdateCount();
    void SetPauseCaption();

    TLBComm* FPort;
    std::shared_ptr<TCommLog> FLog = std::make_shared<TCommLog>();
    std::deque<TLine> FLines;
    TModalLending* FLending;
};
