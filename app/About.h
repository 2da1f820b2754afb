#pragma once
// TFormAbout: the program's title and version, with its picture.

#include "app/ActivatedDialog.h"

class QLabel;
class QPushButton;

class TFormAbout : public TActivatedDialog {
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* LabelTitel;
    QLabel* LabelSoftwareVersie;
    QPushButton* CmdOK;

    // Reads the language texts and shows the version; each time it is shown.
    void FormActivate() override;
};
