#include "app/InitSerial.h"

#include "app/DialogButtons.h"
#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "app/WidgetNames.h"
#include "comm/ComNames.h"
#include "comm/LBComm.h"
#include "comm/PortSettings.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <unistd.h>

namespace {

// The rate list begins at 9600: its index is the rate's ordinal less this.
constexpr int BaudIndexOffset = Ord(TBaudrate::br9600);
constexpr int BaudSetting = 2;
constexpr int ButtonMinimumWidth = 80;
constexpr int ListMinimumWidth = 180;

// The entries the lists are built with; the language file replaces them.
const QStringList PlaceholderItems = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                      QStringLiteral("4"), QStringLiteral("5")};

// One list of the window: its label, its entries' key and what it shows; in the order of the
// port's settings (TPortSettings).
struct TList {
    QComboBox* TFormInitSerial::*Combo;
    QLabel* TFormInitSerial::*Label;
    const char* ComboName;
    const char* LabelName;
    const TTextKey* LabelKey;
    const TTextKey* ItemsKey;
    const char* What;
    bool Extended; // on the second page
};

using namespace TextKey::InitCom;
const std::array<TList, PortSettingCount> Lists = {{
    {&TFormInitSerial::ComboPoort, &TFormInitSerial::LabelPoort, "ComboPoort", "LabelPoort",
     &PortLabel, &PortItems, "Port", false},
    {&TFormInitSerial::Combo_IO, &TFormInitSerial::Label_IO, "Combo_IO", "Label_IO", &IOLabel,
     &IOItems, "I/O range", false},
    {&TFormInitSerial::ComboBaud, &TFormInitSerial::LabelBaud, "ComboBaud", "LabelBaud", &BaudLabel,
     &BaudItems, "Rate", false},
    {&TFormInitSerial::ComboDataBits, &TFormInitSerial::LabelDataBits, "ComboDataBits",
     "LabelDataBits", &DatabitLabel, &DataBitItems, "Data bits", false},
    {&TFormInitSerial::ComboParity, &TFormInitSerial::LabelParity, "ComboParity", "LabelParity",
     &ParityLabel, &ParityItems, "Parity", false},
    {&TFormInitSerial::ComboStopBits, &TFormInitSerial::LabelStopBits, "ComboStopBits",
     "LabelStopBits", &StopbitLabel, &StopbitItems, "Stop bits", false},
    {&TFormInitSerial::ComboHardware, &TFormInitSerial::LabelHardware, "ComboHardware",
     "LabelHardware", &HardwareLabel, &HardwareItems, "Interface hardware", true},
    {&TFormInitSerial::ComboPortType, &TFormInitSerial::LabelPortType, "ComboPortType",
     "LabelPortType", &PortTypeLabel, &PortTypeItems, "Port type", true},
    {&TFormInitSerial::ComboReceiver, &TFormInitSerial::LabelReceiver, "ComboReceiver",
     "LabelReceiver", &ReceiverLabel, &ReceiverItems, "Receiver driver", true},
    {&TFormInitSerial::ComboTransmitter, &TFormInitSerial::LabelTransmitter, "ComboTransmitter",
     "LabelTransmitter", &TransmitterLabel, &TransmitterItems, "Transmitter driver", true},
}};

// Whether the device can be opened by this user: it exists, and reading and writing are allowed.
QString DeviceState(const QString& path) {
    if (!QFileInfo::exists(path))
        return Tekst(DeviceMissing);
    if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0)
        return Tekst(DeviceNoAccess);
    return Tekst(DeviceFound);
}

} // namespace

TFormInitSerial::TFormInitSerial(TLBComm* port, QWidget* parent)
    : TActivatedDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FPort(port) {
    setObjectName(QStringLiteral("FormInitSerial"));
    setModal(true);
    setWindowTitle(Built(Caption));
    CreateControls();
}

void TFormInitSerial::CreateControls() {
    PageControl1 =
        Named(new QTabWidget(this), "PageControl1", QStringLiteral("Line and hardware settings"));
    TabSheet1 = Named(new QWidget, "TabSheet1");
    TabSheet2 = Named(new QWidget, "TabSheet2");
    PageControl1->addTab(TabSheet1, Built(RegInterface));
    PageControl1->addTab(TabSheet2, Built(RegExtended));
    auto* lineForm = new QFormLayout(TabSheet1);
    auto* hardwareForm = new QFormLayout(TabSheet2);

    for (const TList& list : Lists) {
        QWidget* page = list.Extended ? TabSheet2 : TabSheet1;
        auto* combo = Named(new QComboBox(page), list.ComboName, QString::fromLatin1(list.What));
        auto* label = Named(new QLabel(Built(*list.LabelKey), page), list.LabelName);
        label->setBuddy(combo);
        combo->setMinimumWidth(ListMinimumWidth);
        this->*list.Combo = combo;
        this->*list.Label = label;
        (list.Extended ? hardwareForm : lineForm)->addRow(label, combo);
        if (list.Combo == &TFormInitSerial::ComboPoort) {
            LabelPoortApparaat =
                Named(new QLabel(page), "LabelPoortApparaat", QStringLiteral("Device of the port"));
            lineForm->addRow(QString(), LabelPoortApparaat);
        } else {
            combo->addItems(PlaceholderItems);
        }
    }
    // Only the line settings are the user's to change here.
    for (QComboBox* fixed :
         {Combo_IO, ComboHardware, ComboPortType, ComboReceiver, ComboTransmitter})
        fixed->setEnabled(false);

    TOkCancelRow buttons = OkCancelRow(this, Built(TextKey::InitCom::CmdOK),
                                       Built(TextKey::InitCom::CmdCancel), ButtonMinimumWidth);
    CmdOK = buttons.CmdOK;
    CmdCancel = buttons.CmdCancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ComboPoort, &QComboBox::activated, this, [this] { ComboPoortClick(); });
    connect(ComboPoort, &QComboBox::currentIndexChanged, this, [this] { ShowDevice(); });
    connect(ComboHardware, &QComboBox::activated, this, [this] { ComboHardwareClick(); });
    for (QComboBox* driver : {ComboPortType, ComboReceiver, ComboTransmitter})
        connect(driver, &QComboBox::activated, this,
                [this] { ComboHardware->setCurrentIndex(Ord(THardware::UserDefined)); });
    connect(CmdOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { CmdOKClick(); }); });
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormInitSerial::FormActivate() {
    FPort->Close();
    LezenTeksten();
    ShowPortSettings();
    PageControl1->setCurrentWidget(TabSheet1);
}

void TFormInitSerial::LezenTeksten() {
    if (!GlobalVar().LanguageFileLoaded)
        return;
    setWindowTitle(Tekst(Caption));
    PageControl1->setTabText(0, Tekst(RegInterface));
    PageControl1->setTabText(1, Tekst(RegExtended));
    CmdOK->setText(Tekst(TextKey::InitCom::CmdOK));
    CmdCancel->setText(Tekst(TextKey::InitCom::CmdCancel));
    for (const TList& list : Lists) {
        (this->*list.Label)->setText(Tekst(*list.LabelKey));
        QComboBox* combo = this->*list.Combo;
        combo->clear();
        combo->addItems(TekstList(*list.ItemsKey));
    }
}

void TFormInitSerial::ShowPortSettings() {
    // An ordinal beyond a list's entries leaves the list without a selection.
    TPortSettings settings = ReadPortSettings(*FPort);
    settings[BaudSetting] -= BaudIndexOffset;
    for (size_t i = 0; i < Lists.size(); ++i)
        (this->*Lists[i].Combo)->setCurrentIndex(std::max(settings[i], -1));
    ShowDevice();
}

void TFormInitSerial::ShowDevice() {
    int index = ComboPoort->currentIndex();
    if (index < 0 || index >= EnumCount<TPort>()) {
        LabelPoortApparaat->clear();
        return;
    }
    QString path = QString::fromStdString(ComDevicePath(static_cast<TPort>(index)));
    LabelPoortApparaat->setText(path + QStringLiteral(" (") + DeviceState(path) +
                                QStringLiteral(")"));
}

void TFormInitSerial::ComboPoortClick() {
    Combo_IO->setCurrentIndex(ComboPoort->currentIndex());
}

void TFormInitSerial::ComboHardwareClick() {
    struct TDrivers {
        int PortType, Receiver, Transmitter;
    };
    TDrivers drivers{0, 0, 0}; // Standard and user-defined hardware
    if (ComboHardware->currentIndex() == Ord(THardware::PCLabPCL745))
        drivers = {Ord(TPortType::RS485), Ord(TReceiveDriver::rdRegister7to2),
                   Ord(TTransmitDriver::tdRegister7to1)};
    else if (ComboHardware->currentIndex() == Ord(THardware::PhoenixPSM))
        drivers = {Ord(TPortType::RS232C), Ord(TReceiveDriver::rdNone),
                   Ord(TTransmitDriver::tdDTRto0)};
    ComboPortType->setCurrentIndex(drivers.PortType);
    ComboReceiver->setCurrentIndex(drivers.Receiver);
    ComboTransmitter->setCurrentIndex(drivers.Transmitter);
}

void TFormInitSerial::CmdOKClick() {
    // A failing setter leaves the ones before it in force and the window open.
    TPortSettings settings;
    for (size_t i = 0; i < Lists.size(); ++i)
        settings[i] = (this->*Lists[i].Combo)->currentIndex();
    if (settings[BaudSetting] >= 0)
        settings[BaudSetting] += BaudIndexOffset;
    WritePortSettings(*FPort, settings);
    FPort->Open();
    accept();
}
