#pragma once

#include <QString>
#include <QStringList>

namespace iksa {

// The one way logic speaks to the examiner. The main window shows message
// boxes, iksa-cli prints to stderr, tests collect the texts and answer.
class UserMessages {
public:
    virtual ~UserMessages() = default;

    // A modal message; returns once the examiner has acknowledged it.
    virtual void show(const QString& text) = 0;

    // A question with the given button captions; returns the index of the
    // button chosen. Enter chooses `defaultButton`. Esc and closing the
    // question choose `escapeButton`: a question with a way back ("Zpět")
    // names that one, so that Esc never stores or ends anything. Without it
    // (-1) they count as the default button.
    virtual int ask(const QString& text, const QStringList& buttons, int defaultButton = 0,
                    int escapeButton = -1) = 0;
};

// Messages nobody sees; questions take their default button. For the logic
// run unattended: benchmarks, fuzzing, helper programs of the tests.
class SilentMessages : public UserMessages {
public:
    void show(const QString&) override {}
    int ask(const QString&, const QStringList&, int defaultButton = 0, int = -1) override {
        return defaultButton;
    }
};

} // namespace iksa
