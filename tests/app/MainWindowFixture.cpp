#include "MainWindowFixture.h"

#include "app/ErrorReport.h"
#include "app/GlobalVar.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"
#include "support/WaitUntil.h"

#include <QFile>
#include <QPushButton>
#include <QStatusBar>

namespace {

const QByteArray LanguageFile = R"([Main]
CmdComOpen=Open
CmdComClose=Close
CmdActual_ON=Actual ON
CmdActual_OFF=Actual OFF
CmdIO_ON=I/O ON
CmdIO_OFF=I/O OFF
CmdDuimwiel_ON=DW ON
CmdDuimwiel_OFF=DW OFF
PanelTekst0=No answer
PanelTekst1=Line error
Msg_waarschuwingCaption=Warning
Msg_Melding_Geen_KX71=Not a KX71
K0_HoldReset=Hold
K0_RefFijn=Fine ref
K0_SSIJustage=SSI adjust
K0_Inactief=Inactive
)";

const QByteArray ParameterFile = "[249]\nopties0=#InFun\n[250]\nopties0=#InFun\n"
                                 "[251]\nopties0=#InFun\n[252]\nopties0=#InFun\n"
                                 "[InFun]\nopties0=Off,Start,Stop,\"Ref switch\"\n"
                                 "[389]\nopties0=#OutFun\n[390]\nopties0=#OutFun\n"
                                 "[391]\nopties0=#OutFun\n[392]\nopties0=#OutFun\n"
                                 "[OutFun]\nopties0=Off,Ready,\"In position\"\n";

} // namespace

void MainWindowTest::SetUp() {
    ASSERT_TRUE(Home.isValid());
    GlobalVar() = TGlobalVar();
    ParamStore() = TParamStore();
    SetProgramPath(Home.path());
    WriteFile(QStringLiteral("Taal0.ini"), LanguageFile);
    WriteFile(QStringLiteral("Parameters.txt"), ParameterFile);
    FHandover = std::make_unique<TQtHandover>();
    SetUiHandover(FHandover.get());
    Answer("sc 0", "sc 0\r\n");
    Answer("rt", "rt KX71-0100\r\n");
    Answer("rh", "rh HW 3\r\n");
    Answer("rx", "rx FW 4.06\r\n");
    Device->Responder = [this](const std::string& written) {
        std::string command = written.substr(0, written.size() - 1);
        std::string reply;
        {
            std::lock_guard lock(FMutex);
            auto it = FReplies.find(command);
            if (it != FReplies.end())
                reply = it->second;
        }
        if (!reply.empty())
            Device->Reply(reply);
    };
}

void MainWindowTest::TearDown() {
    if (Form)
        Form->LBComm1.Close();
    Form.reset();
    ParamDefs().Free();
    SetUiHandover(nullptr);
    SetErrorReporter(nullptr);
}

TFormMain& MainWindowTest::Start(const QStringList& arguments) {
    Form = std::make_unique<TFormMain>(arguments, [device = Device] { return device; });
    Form->Timer1.stop(); // tests poll the error number themselves
    return *Form;
}

void MainWindowTest::OpenAndIdentify() {
    Form->CmdSelectUnit->click();
    ASSERT_TRUE(kq9test::WaitUntil([&] { return !Form->StatusPanel[4]->text().isEmpty(); }, 3000));
}

void MainWindowTest::Answer(const std::string& command, const std::string& reply) {
    std::lock_guard lock(FMutex);
    FReplies[command] = reply;
}

void MainWindowTest::AnswerEveryParameter(int value) {
    for (int p = 0; p < 400; ++p)
        Answer("rp " + std::to_string(p),
               "rp " + std::to_string(p) + " " + std::to_string(value) + "\r\n");
}

TTransferWindows::TTransferWindows(TFormMain& form)
    : Lees(&form.LBComm1, &form), Schrijf(&form.LBComm1, &form) {
    form.FormLeesParSoll = &Lees;
    form.FormSchrijfParSoll = &Schrijf;
}

void MainWindowTest::WriteFile(const QString& name, const QByteArray& contents) {
    QFile file(Home.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

std::vector<std::string> MainWindowTest::Commands() const {
    std::vector<std::string> commands;
    for (const std::string& written : Device->Written())
        commands.push_back(written.substr(0, written.size() - 1));
    return commands;
}

size_t MainWindowTest::CountOf(const std::string& command) const {
    auto commands = Commands();
    return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
}
