#pragma once
// Widget tests without boxes on screen: messages are recorded, and every dialog runs
// `prepare` on itself, then answers `answer` at once.
#include "widgets/Messages.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

class DialogRecorder : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageSink([this](const QString &t) { messages << t; });
        SetDialogRunner([this](QDialog *d) {
            if (prepare)
                prepare(d);
            return answer;
        });
    }
    void TearDown() override
    {
        SetMessageSink({});
        SetDialogRunner({});
    }

    QStringList messages;
    std::function<void(QDialog *)> prepare;
    int answer = QDialog::Accepted;
};
