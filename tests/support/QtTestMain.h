#pragma once
// Qt warnings that a test expects, so the test main does not fail on them.

#include <QString>

namespace kq9test {

// While an instance lives, Qt warnings containing `fragment` are tolerated (and counted).
class ExpectQtWarning {
public:
    explicit ExpectQtWarning(QString fragment);
    ~ExpectQtWarning();
    int Count() const;

private:
    QString FFragment;
};

} // namespace kq9test
