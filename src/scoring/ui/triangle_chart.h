#pragma once

#include "scoring/score_triangle.h"

#include <QLabel>

#include <optional>

namespace morva {

// The subject's triangle as a chart, in the colours of the applied skin; a second subject
// (the partner in couples counselling) can be laid over it. A label without text to the skins,
// so that its lines and names take the colour every skin gives the window's labels.
class TriangleChart : public QLabel {
    Q_OBJECT

public:
    explicit TriangleChart(QWidget *parent = nullptr);

    // A new subject replaces the old one and clears the partner.
    void showSubject(const ChartSubject &subject);
    void showPartner(const ChartSubject &partner);
    const std::optional<ChartSubject> &subject() const { return subject_; }
    const std::optional<ChartSubject> &partner() const { return partner_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ChartColours colours() const;

    std::optional<ChartSubject> subject_;
    std::optional<ChartSubject> partner_;
};

} // namespace morva
