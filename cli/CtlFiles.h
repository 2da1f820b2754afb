#pragma once
// The files of kq9ctl's commands: reading them with their refusals in words, and writing them;
// each failure is reported on stderr with the file error exit code.

#include "params/BackupFile.h"
#include "params/ValueFile.h"

#include <string>
#include <vector>

enum class TValueFileKind { Parameters, Setpoints };

// Why a parameter or setpoint file was refused, after its path: the editor's text of the loaded
// language file ("OpenMsg1" … "OpenMsg4"), or an English text when there is none.
std::string ValueFileErrorText(TValueFileResult result, const std::string& path,
                               TValueFileKind kind);

// Reads a parameter or setpoint file with its header checked. Success or FileError; a refusal
// is reported with ValueFileErrorText and ends with `outcome`, what the command then did not do
// (nothing more when null).
int ReadParamFileForCtl(const std::string& path, TParValues& values,
                        const char* outcome = "nothing was sent");
int ReadSollFileForCtl(const std::string& path, TSollValues& setpoints,
                       const char* outcome = "nothing was sent");
int ReadBackupFileForCtl(const std::string& path, TBackupData& data);

int WriteParamFileForCtl(const std::string& path, int unitNo, const TParValues& values);
int WriteSollFileForCtl(const std::string& path, int unitNo, const TSollValues& setpoints,
                        int32_t parameter399);
int WriteBackupFileForCtl(const std::string& path, const TBackupData& data);
// Success when the file could be written now, else FileError with the reason on stderr; checked
// before a read of the controller that would otherwise end in a file that cannot be saved.
int CheckWritableForCtl(const std::string& path);

// Takes the single FILE argument of a command, which takes no option; false (usage on stderr)
// when there is none, more than one, or an option.
bool OneFileArgument(const std::vector<std::string>& arguments, const char* command,
                     std::string& path);
