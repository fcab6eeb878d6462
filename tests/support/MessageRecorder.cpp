#include "support/MessageRecorder.h"

namespace kalver::test {

MessageRecorder::MessageRecorder(MessageAnswer defaultAnswer) : m_default(defaultAnswer) {
    setMessageResponder([this](const MessageRequest& r) {
        m_shown.append(r);
        return m_script.isEmpty() ? m_default : m_script.takeFirst();
    });
}

MessageRecorder::~MessageRecorder() { setMessageResponder({}); }

void MessageRecorder::script(std::initializer_list<MessageAnswer> answers) {
    for (MessageAnswer a : answers)
        m_script.append(a);
}

QStringList MessageRecorder::codes() const {
    QStringList out;
    for (const MessageRequest& r : m_shown)
        out << (r.code.isEmpty() ? r.title : r.code);
    return out;
}

} // namespace kalver::test
