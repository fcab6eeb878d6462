#include "core/MessageSeam.h"

#include <QApplication>
#include <QMessageBox>

namespace kalver {

namespace {
MessageResponder& responder() {
    static MessageResponder r;
    return r;
}

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer fromQtAnswer(int button) {
    switch (button) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
    }
}
} // namespace

MessageAnswer showMessage(const MessageRequest& request) {
    if (responder())
        return responder()(request);
    return showMessageBox(request);
}

MessageAnswer showMessageBox(const MessageRequest& request) {
    QMessageBox box(toQtIcon(request.icon), request.title, request.text, toQtButtons(request.buttons),
                    QApplication::activeWindow());
    // A box closed with the window's close button answers like its escape button.
    return fromQtAnswer(box.exec());
}

void setMessageResponder(MessageResponder r) { responder() = std::move(r); }

MessageResponder messageResponder() { return responder(); }

} // namespace kalver
