#include "EditorTestSupport.h"

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <QDialog>
#include <QFile>
#include <QTest>

namespace kq9test {

namespace {

const QByteArray Definitions = R"([007]
naam1=Cam 1 start
dec=9
min=-9999999
max=99999999
default=100

[017]
naam1=Offset
dec=1
min=-100
max=1000
default=5

[020]
naam1=Mode
type=1
opties1=#Modes
max=2
default=1

[Modes]
opties1=Off,Slow,Fast

[140]
naam1=Lin X 1
dec=2
max=99999
default=77

[203]
naam1=Position decimals
max=8
default=2
)";

const QByteArray PageTable = "[100]\nParId1=203\n"
                             "[203]\nParId1=17\nParId3=-1\nParId5=20\nParId18=7\n"
                             "[901]\nParId1=140\nParId2=141\n";

QByteArray GroupTree() {
    QByteArray tree = "Parameters\n";
    for (int g = 1; g <= 9; ++g) {
        tree += "\tGroup " + QByteArray::number(g) + "\n";
        for (int s = 1; s <= 3; ++s)
            tree += "\t\tSub " + QByteArray::number(g) + "." + QByteArray::number(s) + "\n";
    }
    return tree;
}

} // namespace

void PressKey(QWidget* widget, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
    QTest::sendKeyEvent(QTest::Click, widget, key, text, modifiers);
}

void EditorTest::SetUp() {
    ASSERT_TRUE(Home.isValid());
    GlobalVar() = TGlobalVar();
    ParamStore() = TParamStore();
    SetProgramPath(Home.path());
    GlobalVar().Taal = 1;
    WriteFile(QStringLiteral("Parameters.txt"), Definitions);
    WriteFile(QStringLiteral("ParNo.txt"), PageTable);
    WriteFile(QStringLiteral("Tree1.txt"), GroupTree());
    ParameterDef_lezen();
    ParamNo_lezen();
    Exec = [](QDialog& dialog) { return dialog.exec(); };
}

void EditorTest::TearDown() {
    ParamDefs().Free();
    TekstFile_Vrijgeven();
    GlobalVar() = TGlobalVar();
    ParamStore() = TParamStore();
}

void EditorTest::LoadLanguage() {
    QString shipped =
        QString::fromLocal8Bit(qgetenv("KQ9_DATA_DIR")) + QStringLiteral("/Taal1.ini");
    ASSERT_TRUE(QFile::copy(shipped, Path(QStringLiteral("Taal1.ini"))));
    TekstFile_Lezen();
    ASSERT_TRUE(GlobalVar().LanguageFileLoaded);
}

void EditorTest::WriteFile(const QString& name, const QByteArray& contents) {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

void EditorTest::Answer(TEditorDialogs& dialogs) {
    dialogs.ShowMessage = [this](QMessageBox::Icon, const QString& caption, const QString& text,
                                 QMessageBox::StandardButtons) {
        Messages << caption + u'|' + text;
        return BoxAnswer;
    };
    dialogs.GetSaveFileName = [this](const TFileDialogRequest& request) {
        Requests.push_back(request);
        return Chosen;
    };
    dialogs.GetOpenFileName = dialogs.GetSaveFileName;
    dialogs.ExecDialog = [this](QDialog& dialog) { return Exec(dialog); };
}

} // namespace kq9test
