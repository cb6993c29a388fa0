#pragma once
// "The game under perfect play", and the same for standing pat: every category's payout,
// the probability of ending a round with it and its contribution to the return.

#include "engine/Advisor.h"

#include <QWidget>

class QTableWidget;

namespace corvanta {

class ReturnTableView : public QWidget {
    Q_OBJECT
public:
    explicit ReturnTableView(QWidget* parent);

    // Until this is called the tables say they are being computed.
    void Fill(const ReturnTable& table);

    static constexpr int Width = 5520;  // twips
    static constexpr int Height = 8280; // twips

private:
    QTableWidget* tblPerfectPlay_ = nullptr;
    QTableWidget* tblStandPat_ = nullptr;
};

} // namespace corvanta
