#pragma once
// The language file: every visible text of the program can be replaced by the file chosen with
// GlobalVar().Taal ("Taal0.ini", "Taal1.ini", "Taal2.ini" in ProgramPath). The texts built into
// the program are the defaults for keys the file lacks.
//
// Windows apply a text only when GlobalVar().LanguageFileLoaded is set; without a file they keep
// the texts they were built with, and texts that exist only through the file stay empty.

#include <QString>
#include <QStringList>

struct TTextKey;

// "Taal1.ini" for 1, "Taal2.ini" for 2, "Taal0.ini" for any other index.
QString LanguageFileName(int taal);

// Loads the file of GlobalVar().Taal from ProgramPath and sets LanguageFileLoaded. A missing or
// unreadable file changes nothing: a file loaded earlier stays in use.
void TekstFile_Lezen();
// Releases the language file at program end; LanguageFileLoaded becomes false.
void TekstFile_Vrijgeven();

// The text of (section, key) in the language file; `defaultText` when the key is missing or no
// file is loaded.
QString Tekst(const QString& section, const QString& key, const QString& defaultText = {});
// The same for a key of the registry (app/TextKeys.h), with its built-in text as the default.
QString Tekst(const TTextKey& key);
// The built-in text of a key alone: what a control shows before, or without, a language file.
QString Built(const TTextKey& key);
// A list key: the text above split as a comma text (the default is a comma text as well).
QStringList TekstList(const QString& section, const QString& key, const QString& defaultText = {});
QStringList TekstList(const TTextKey& key);
