#pragma once
// Stands in for the operator at the message boxes: records every message shown and answers from a
// script (then with a default answer). Installed for its lifetime.

#include "core/MessageSeam.h"

#include <QList>

namespace kalver::test {

class MessageRecorder {
public:
    explicit MessageRecorder(MessageAnswer defaultAnswer = MessageAnswer::Ok);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // Answers given to the next messages, in order.
    void script(std::initializer_list<MessageAnswer> answers);
    void setDefaultAnswer(MessageAnswer a) { m_default = a; }

    const QList<MessageRequest>& shown() const { return m_shown; }
    // Codes (or titles of plain boxes) of everything shown, in order.
    QStringList codes() const;
    void clear() { m_shown.clear(); }

private:
    QList<MessageRequest> m_shown;
    QList<MessageAnswer> m_script;
    MessageAnswer m_default;
};

} // namespace kalver::test
