#pragma once
// The one place where the program asks the operator something in a message box. Production shows a
// modal QMessageBox owned by the active window; tests install a responder that records what was shown
// and returns a scripted answer, so no test hunts for modal boxes with timers.

#include <QString>
#include <functional>

namespace kalver {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    QString code; // "eNNN" for catalogue entries, empty for plain boxes
};

using MessageResponder = std::function<MessageAnswer(const MessageRequest&)>;

// Shows the message and returns the operator's answer (the responder's, when one is installed).
MessageAnswer showMessage(const MessageRequest& request);

// Installs a responder in place of the real message box; an empty function restores the real one.
void setMessageResponder(MessageResponder responder);
// The responder installed now (empty: the real box), so that one can be put in front of another.
MessageResponder messageResponder();
// The real message box, whatever responder is installed.
MessageAnswer showMessageBox(const MessageRequest& request);

} // namespace kalver
