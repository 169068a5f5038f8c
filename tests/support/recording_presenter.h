#pragma once
// A presenter that records the boxes a page shows and answers its questions, for widget tests.

#include <QString>
#include <QStringList>
#include <functional>

#include "kalvix/gui/framework/message_box.h"

namespace test_support {

struct RecordingPresenter : kalvix::gui::MessagePresenter {
    QStringList shown;     // message boxes
    QStringList asked;     // questions
    QStringList captions;  // the questions' captions
    bool answer = true;
    std::function<void()> whileShown;                 // runs while a message box is up
    std::function<void(QWidget* parent)> whileAsked;  // runs while a question is up

    void inform(QWidget*, const QString& text) override {
        shown << text;
        if (whileShown)
            whileShown();
    }
    bool ask(QWidget* parent, const QString& text, const QString& caption) override {
        asked << text;
        captions << caption;
        if (whileAsked)
            whileAsked(parent);
        return answer;
    }
};

}  // namespace test_support
