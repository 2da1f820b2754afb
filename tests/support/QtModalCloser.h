#pragma once
// Answers modal dialogs that code under test opens with exec(), so that a test never blocks:
// while an instance lives, every modal window that appears is recorded and closed (with the
// given button for message boxes).

#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace kq9test {

class TModalCloser {
public:
    explicit TModalCloser(QMessageBox::StandardButton answer = QMessageBox::Ok);
    // The texts of the message boxes seen so far (title, a newline, the text).
    const QStringList& Seen() const { return FSeen; }

private:
    void Poll();

    QMessageBox::StandardButton FAnswer;
    QStringList FSeen;
    QTimer FTimer;
};

} // namespace kq9test
