#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <random>

namespace morva {

// The credit sentence as the about window opens with it: "This Program Is Created By Morva
// Team", its word gaps written as points and its letters spread apart by runs of blanks.
QString CreditSentence();

// Credit lines 1 to 11 (index 0 is line 1): the program's title, its programmer and the maker's
// telephone, e-mail, web site and shop under their fixed labels; lines 8 to 11 are empty.
QStringList CreditLines();

// Closes the credit sentence up, one step a tick: its blanks go one by one, leftmost first; then
// its points turn into blanks, left to right; then nothing changes any more.
class CreditCollapse {
public:
    explicit CreditCollapse(QString sentence = CreditSentence());
    void tick();
    const QString &text() const { return text_; }
    // True once every point has turned into a blank: further ticks change nothing.
    bool resting() const { return search_ == QLatin1String(".") && !text_.contains(u'.'); }

private:
    QString text_;
    QString search_;
    QString replacement_;
};

// The loop of the four credit labels. Each tick the first label, in order, whose top has risen
// to the threshold goes back to the bottom (the window's outer height less 1500 twips) with the
// next credit line; then all four rise by one step. The labels show lines 5 to 9 first, then
// 1 to 9 over and over. Positions are in twips.
class CreditScroll {
public:
    static constexpr int kLabels = 4;
    static constexpr int kThreshold = 1000;
    static constexpr int kStep = 15;

    // The labels start at these tops with credit lines 1 to 4.
    CreditScroll(const std::array<int, kLabels> &tops, int outerHeight);

    // One tick; returns the label (0 for Label1) that went back to the bottom, if one did.
    std::optional<int> tick();
    int top(int label) const { return tops_[label]; }
    const QString &caption(int label) const { return captions_[label]; }
    // The number of the credit line shown last (0 stands for 9).
    int nextLine() const { return next_; }

private:
    QStringList lines_;
    std::array<int, kLabels> tops_;
    std::array<QString, kLabels> captions_;
    int bottom_;
    int next_ = 4;
};

// The colours of two credit labels, one step a tick: Label1 goes through eight colours of the
// classic 16-colour text-mode palette and repeats them every eight ticks; Label3 takes a random
// colour from a generator that starts from the same seed in every run of the program.
class CreditColours {
public:
    struct Step {
        QColor label1;
        QColor label3;
    };
    Step tick();

private:
    int channel();

    int counter_ = 0;
    std::minstd_rand random_; // never seeded from the clock
};

} // namespace morva
