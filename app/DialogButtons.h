#pragma once
// The foot of the small settings dialogs: an OK and a Cancel button side by side at the right,
// OK the default button.

class QHBoxLayout;
class QPushButton;
class QString;
class QWidget;

struct TOkCancelRow {
    QPushButton* CmdOK;
    QPushButton* CmdCancel;
    QHBoxLayout* Row; // for the dialog's layout
};

// The buttons "CmdOK" and "CmdCancel" of `dialog` with their captions, each at least
// `minimumWidth` wide.
TOkCancelRow OkCancelRow(QWidget* dialog, const QString& ok, const QString& cancel,
                         int minimumWidth);
