#pragma once
// TFormAbout: the program's title and version, with its picture.

#include <QDialog>

class QLabel;
class QPushButton;

class TFormAbout : public QDialog {
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* LabelTitel;
    QLabel* LabelSoftwareVersie;
    QPushButton* CmdOK;

    // Reads the language texts and shows the version; each time it is shown.
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
};
