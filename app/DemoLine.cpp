#include "app/DemoLine.h"

#include "comm/ComNames.h"
#include "comm/CommTexts.h"
#include "sim/SimLine.h"
#include "sim/SimPtyServer.h"

#include <QFileInfo>

TDemoLine::TDemoLine() : FLine(std::make_shared<TSimLine>()) {}

TDemoLine::~TDemoLine() {
    if (FServer)
        FServer->Stop();
    ResetComDevicePaths();
}

bool TDemoLine::Start(const QString& parameterFile, QString& error) {
    FLine->AddUnit(0);
    if (QFileInfo::exists(parameterFile))
        FLine->LoadParameterFile(parameterFile.toStdString());
    FServer = std::make_unique<TSimPtyServer>(FLine);
    if (int result = FServer->Start(); result != 0) {
        error = QString::fromStdString(SysErrorMessage(result));
        FServer.reset();
        return false;
    }
    // Whatever port the settings choose, it reaches the demonstration line.
    for (int port = 0; port < EnumCount<TPort>(); ++port)
        SetComDevicePath(static_cast<TPort>(port), FServer->SlavePath());
    return true;
}

QString TDemoLine::SlavePath() const {
    return FServer ? QString::fromStdString(FServer->SlavePath()) : QString();
}
