// Closes every modal message box shortly after it opens, as a user pressing OK would, and
// keeps the texts it showed, so a test can key on past a message. What the box says is the
// program's.
#pragma once

#include <QStringList>
#include <QTimer>

namespace gui_test {

class MessageWatch {
  public:
    MessageWatch();
    ~MessageWatch();
    MessageWatch(const MessageWatch&) = delete;
    MessageWatch& operator=(const MessageWatch&) = delete;

    // The texts of the boxes closed since the last call, oldest first.
    QStringList take();

  private:
    QTimer poll_;
    QStringList seen_;
};

} // namespace gui_test
