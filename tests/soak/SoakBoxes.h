#pragma once
// The message boxes the program shows during the soak: each is recorded and answered as a user
// would (Yes where it asks, else OK). The driver claims those it caused; any other box, such as
// the general error report of an exception, fails the soak.

#include <QString>
#include <QTimer>

#include <mutex>
#include <vector>

namespace kq9soak {

class TBoxes {
public:
    // UI thread.
    TBoxes();

    // Any thread: claims the first unclaimed box whose title or text contains `fragment`, if
    // one has been shown; true when one was.
    bool Claim(const QString& fragment);
    // The boxes nobody claimed, as "title: text".
    std::vector<QString> Unclaimed() const;
    int Count() const;

private:
    void Poll();

    struct TBox {
        QString Text;
        bool Claimed = false;
    };
    mutable std::mutex FMutex;
    std::vector<TBox> FBoxes;
    QTimer FTimer;
};

} // namespace kq9soak
