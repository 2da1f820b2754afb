#pragma once
// The simulated controller line of a demonstration run: served on a pty inside the program, with
// unit 0 answering at any line settings, and every COM name pointing at it for this run only.

#include <QString>

#include <memory>

class TSimLine;
class TSimPtyServer;

class TDemoLine {
public:
    TDemoLine();
    ~TDemoLine();

    // Starts the line, with parameter defaults and limits from `parameterFile` when it exists.
    // False with the reason in `error` when no pty could be made.
    bool Start(const QString& parameterFile, QString& error);
    QString SlavePath() const;

private:
    std::shared_ptr<TSimLine> FLine;
    std::unique_ptr<TSimPtyServer> FServer;
};
