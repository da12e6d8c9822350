#include "qtdialogs.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "game/game.h"
#include "windows.h"
#include "language.h"

namespace vornak {

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

QString toQtFilter(const std::string& filter) {
    const QStringList parts = qs(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) {
        const QString desc = parts[i].trimmed();
        const QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (desc.isEmpty() && pattern.isEmpty()) continue;
        if (pattern.isEmpty() || desc.contains(QLatin1Char('(')))
            out << (desc.isEmpty() ? pattern : desc);
        else {
            // Qt separates patterns with blanks; the other form uses ';'.
            QString patterns = pattern;
            patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
            out << (desc.isEmpty() ? patterns : desc + QStringLiteral(" (") + patterns + ')');
        }
    }
    return out.join(QStringLiteral(";;"));
}

QtDialogs::ModalScope::~ModalScope() {
    if (--d_.depth_ == 0 && d_.onModalEnd_) d_.onModalEnd_();
}

MsgResult QtDialogs::messageBox(const std::string& text, const std::string& title,
                                MsgButtons buttons, MsgIcon icon) {
    ModalScope scope(*this);
    QMessageBox box(parent());
    box.setWindowTitle(qs(title));
    box.setText(qs(text));
    switch (icon) {
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    if (buttons == MsgButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (buttons == MsgButtons::Ok) return MsgResult::Ok;
    // Closing the box any other way than with OK cancels it.
    return box.clickedButton() == box.button(QMessageBox::Ok) ? MsgResult::Ok : MsgResult::Cancel;
}

int QtDialogs::choose(const std::string& text, const std::string& title,
                      const std::vector<std::string>& buttons) {
    ModalScope scope(*this);
    QMessageBox box(parent());
    box.setWindowTitle(qs(title));
    box.setText(qs(text));
    box.setIcon(QMessageBox::Question);
    std::vector<QPushButton*> pushed;
    for (const std::string& b : buttons)
        pushed.push_back(box.addButton(
            qs(b), pushed.empty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
    if (pushed.empty()) return 0;
    // The first answer is the one that loses nothing: Enter and closing the
    // box choose it.
    box.setDefaultButton(pushed.front());
    box.setEscapeButton(pushed.front());
    box.exec();
    for (std::size_t i = 0; i < pushed.size(); ++i)
        if (box.clickedButton() == pushed[i]) return static_cast<int>(i);
    return 0;
}

std::optional<std::string> QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
    ModalScope scope(*this);
    QInputDialog box(parent());
    box.setWindowTitle(qs(title));
    box.setLabelText(qs(prompt));
    box.setTextValue(qs(defaultText));
    box.setInputMode(QInputDialog::TextInput);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue().toStdString();
}

std::optional<std::string> QtDialogs::openFile(const std::string& title,
                                               const std::string& filter) {
    ModalScope scope(*this);
    const QString file =
        QFileDialog::getOpenFileName(parent(), qs(title), QString(), toQtFilter(filter));
    if (file.isEmpty()) return std::nullopt;
    return file.toStdString();
}

std::optional<std::string> QtDialogs::saveFile(const std::string& title, const std::string& filter,
                                               const std::string& suggested) {
    ModalScope scope(*this);
    const QString file =
        QFileDialog::getSaveFileName(parent(), qs(title), qs(suggested), toQtFilter(filter));
    if (file.isEmpty()) return std::nullopt;
    return file.toStdString();
}

QMenu* QtDialogs::menuFor(PopupMenu which) const {
    switch (which) {
        case PopupMenu::Play:
            return playMenu_;
        case PopupMenu::LayOffKind:
            return layOffKindMenu_;
        case PopupMenu::Skin:
            return skinMenu_;
    }
    return nullptr;
}

void QtDialogs::popupMenu(PopupMenu which) {
    QMenu* menu = menuFor(which);
    if (!menu) return;
    ModalScope scope(*this);
    // A chosen item's action runs its handler from within exec().
    QPoint at = QCursor::pos();
    if (popupPosition_)
        if (const std::optional<QPoint> p = popupPosition_()) at = *p;
    menu->exec(at);
}

void QtDialogs::showTitleScreen(TitleScreen& screen) {
    ModalScope scope(*this);
    std::function<bool(const QString&)> switcher;
    if (game_)
        switcher = [game = game_](const QString& code) { return switchGameLanguage(*game, code); };
    runTitleScreen(parent(), screen, switcher);
}

void QtDialogs::showStatisticsScreen(StatisticsScreen& screen) {
    ModalScope scope(*this);
    runStatisticsScreen(parent(), screen);
}

void QtDialogs::showEndScreen(EndScreen& screen) {
    if (!game_) return;
    ModalScope scope(*this);
    runEndScreen(parent(), screen, *game_);
}

void QtDialogs::showHallOfFame(HallOfFame& screen) {
    ModalScope scope(*this);
    runHallOfFame(parent(), screen);
}

void QtDialogs::showRulesWindow() {
    vornak::showRulesWindow(parent());
}

void QtDialogs::showAboutWindow() {
    vornak::showAboutWindow(parent());
}

void QtDialogs::quit() {
    quitRequested_ = true;
    if (onQuit_)
        onQuit_();
    else
        QApplication::quit();
}

}  // namespace vornak
