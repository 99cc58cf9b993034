// Generates the benchmark logs: deterministic, mixed assortments, realistic piles and lists.
#include "demo/benchmark_logs.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "demo/log_rows.hpp"
#include "demo/office_data.hpp"

namespace ls::demo {
namespace {

// Same numbers on every run, so benchmark databases are comparable.
class Random {
  public:
    double uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(next() >> 11) * 0x1.0p-53;
    }
    std::int64_t below(std::int64_t n) { return static_cast<std::int64_t>(next() % n); }

  private:
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

double round2(double v) {
    return std::round(v * 100.0) / 100.0;
}

// Diameter class of a stem by its mid diameter in cm.
const char* diameterClass(double cm) {
    if (cm < 10) return "0";
    if (cm < 15) return "1a";
    if (cm < 20) return "1b";
    if (cm < 25) return "2a";
    if (cm < 30) return "2b";
    if (cm < 35) return "3a";
    if (cm < 40) return "3b";
    if (cm < 50) return "4";
    if (cm < 60) return "5";
    return "6";
}

// Decimal digits of a non-negative number, zero-padded to at least `width`.
std::string padded(std::int64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::string isoDate(int dayOffset) {
    using namespace std::chrono;
    const year_month_day d{sys_days{2024y / January / 2} + days{dayOffset}};
    return padded(static_cast<int>(d.year()), 4) + "-" +
           padded(static_cast<unsigned>(d.month()), 2) + "-" +
           padded(static_cast<unsigned>(d.day()), 2);
}

// Assortment of each pile, in turn: mostly roundwood, every other kind now and then.
constexpr std::array<int, 12> kPileAssortments = {1, 1, 2, 1, 3, 1, 4, 1, 5, 2, 1, 6};
constexpr std::array<const char*, 3> kSpecies = {"FI", "TA", "KI"};
constexpr std::int64_t kLogsPerShellGroup = 5;

struct Place {
    int id;
    const char* key;
    const char* x;
    const char* y;
};
constexpr std::array<Place, 3> kPlaces = {{
    {key::kHintereHalde, "3/12/a", "47.99", "7.84"},
    {key::kOhneLangname, "3/14", "48.00", "7.85"},
    {key::kLangnameWieStufen, "3/15", "48.01", "7.86"},
}};

class Generator {
  public:
    Generator(SqliteWriter& db, const BenchmarkLayout& layout)
        : logs_(db),
          heights_(db.insert("SCHICHT_HOEHEN", {"ID_LOG", "NR", "HEIGHT"})),
          stems_(db.insert("MANTEL", {"ID_MANTEL", "NR", "HA", "HS", "GKL", "STKL", "LANGE",
                                      "DURCH", "STUCK", "KUBATUR", "ENTRINDUNG", "RINDE"})),
          nextId_(layout.firstLogId),
          nextMantel_(layout.firstMantelId) {}

    void run(std::int64_t count) {
        constexpr auto perList = BenchmarkLayout::kLogsPerList;
        constexpr auto perPile = BenchmarkLayout::kLogsPerPile;
        std::int64_t pileCounter = 0;
        for (std::int64_t first = 0; first < count; first += perList) {
            const std::int64_t listIndex = first / perList;
            const std::int64_t size = std::min(perList, count - first);
            const std::int64_t piles = (size + perPile - 1) / perPile;
            const std::string list = "9" + padded(listIndex + 1, 5);
            for (std::int64_t pile = 0; pile < piles; ++pile, ++pileCounter) {
                PileInfo info;
                info.list = list;
                info.lot = pile < (piles + 1) / 2 ? "1" : "2";
                info.pile = "P" + std::to_string(pile + 1);
                info.dsart = kPileAssortments[pileCounter % kPileAssortments.size()];
                info.place = &kPlaces[pileCounter % kPlaces.size()];
                info.listDate = isoDate(static_cast<int>(listIndex % 300));
                info.withHeights = info.dsart == 2 && pileCounter % 4 == 2;
                const std::int64_t logs = std::min(perPile, size - pile * perPile);
                for (std::int64_t k = 0; k < logs; ++k)
                    writeLog(info, k);
            }
        }
    }

  private:
    struct PileInfo {
        std::string list, lot, pile, listDate;
        int dsart = 1;
        const Place* place = nullptr;
        bool withHeights = false;
    };

    void writeLog(const PileInfo& p, std::int64_t indexInPile) {
        LogRow l;
        l.id = nextId_++;
        l.liste = p.list;
        l.los = p.lot;
        l.dsart = p.dsart;
        l.poltnr = p.pile;
        l.waldort = p.place->id;
        l.dWaldort = p.place->key;
        l.coordinate1 = p.place->x;
        l.coordinate2 = p.place->y;
        l.listdatum = p.listDate;
        l.listenart = 1;
        l.verkaufsart = 1;
        l.reltable1 = 1;
        l.ha = kSpecies[random_.below(kSpecies.size())];
        if (random_.below(50) == 0) l.zustxt = "Bemerkung " + std::to_string(l.id);
        double price = 90.0;
        switch (p.dsart) {
            case 1:
            case 5:
                stem(l);
                price = p.dsart == 1 ? 92.0 : 84.0;
                break;
            case 2:
                stack(l, p.withHeights);
                price = 48.0;
                break;
            case 3:
                poles(l);
                price = 70.0;
                break;
            case 4:
                weighed(l);
                price = 61.0;
                break;
            default:
                shell(l, indexInPile);
                price = 55.0;
                break;
        }
        logs_.add(l, InvoiceRow{.rName = "1001", .rKunde = key::kMustermann, .rPreis = price});
    }

    void stem(LogRow& l) {
        const double length = std::round(random_.uniform(4.0, 24.0) * 2.0) / 2.0;
        const double diameter = std::round(random_.uniform(18.0, 60.0));
        l.blnr = l.id;
        l.hs = length < 8.0 ? "AS" : "L";
        l.gkl = std::array{"A", "B", "C", "D"}[random_.below(4)];
        l.stkl = diameterClass(diameter);
        l.laenge = length;
        l.durch = diameter;
        l.stk = 1;
        l.kubatur = round2(3.14159265358979 / 4.0 * diameter * diameter / 10000.0 * length);
        l.masseinheit = key::kFm;
        l.kklasse = 1;
        l.rindenkennz = 1;
        l.rindeprozent = 0;
        l.rindeWert = 2.0;
        l.msz = 95.0;
        if (random_.below(17) == 0) {
            l.klst = 2;
        } else if (random_.below(23) == 0) {
            l.klst = 3;
        }
    }

    void stack(LogRow& l, bool withHeights) {
        l.hs = "IS";
        l.laenge = 2.0;
        l.stk = 1;
        l.ufaktRm = 0.7;
        l.masseinheit = key::kRM;
        if (withHeights) {
            const double length = std::round(random_.uniform(6.0, 20.0));
            double sum = 0.0;
            for (int nr = 1; nr <= 6; ++nr) {
                const double h = round2(random_.uniform(1.5, 2.2));
                heights_.run({l.id, nr, h});
                sum += h;
            }
            l.stapellange = length;
            l.korrektur = 15.0;
            l.kubrm = round2(length * sum / 6.0 * 2.0 * 0.85);
        } else {
            l.kubrm = round2(random_.uniform(5.0, 40.0));
        }
        l.kubatur = round2(*l.kubrm * 0.7);
    }

    void poles(LogRow& l) {
        l.blnr = l.id;
        l.hs = "ST";
        l.stkl = std::array{"1", "2", "3"}[random_.below(3)];
        l.stk = 10 + random_.below(60);
        l.ufaktStk = 0.045;
        l.kubatur = round2(static_cast<double>(*l.stk) * 0.045);
        l.masseinheit = key::kStk;
    }

    void weighed(LogRow& l) {
        l.blnr = l.id;
        l.hs = "IL";
        l.stk = 1;
        const double tonnes = round2(random_.uniform(10.0, 28.0));
        if (l.id % 2 == 0) {
            l.kubluto = tonnes;
            l.ufaktLut = 0.9;
            l.kubatur = round2(tonnes * 0.9);
            l.masseinheit = key::kTonneLutro;
        } else {
            l.kubatro = tonnes;
            l.ufaktAto = 2.1;
            l.kubatur = round2(tonnes * 2.1);
            l.masseinheit = key::kTonneAtro;
        }
    }

    // Consecutive logs of a pile share a shell group; the group's sample stems come first.
    void shell(LogRow& l, std::int64_t indexInPile) {
        if (indexInPile % kLogsPerShellGroup == 0) {
            mantel_ = nextMantel_++;
            for (int nr = 1; nr <= 4; ++nr) {
                const double diameter = std::round(random_.uniform(10.0, 24.0));
                stems_.run({mantel_, nr, *l.ha, "IL", "IN", diameterClass(diameter), 4.0, diameter,
                            1, round2(3.14159265358979 / 4.0 * diameter * diameter / 10000.0 * 4.0),
                            "o.R.", 1.5});
            }
        }
        l.blnr = l.id;
        l.mantel = mantel_;
        l.hs = "IL";
        l.gkl = "IN";
        l.stkl = "1b";
        l.stk = 60 + random_.below(80);
        l.kubatur = round2(static_cast<double>(*l.stk) * 0.15);
        l.masseinheit = key::kFm;
        l.rindeprozent = 1;
        l.rindeWert = 8.0;
    }

    LogWriter logs_;
    Statement heights_;
    Statement stems_;
    Random random_;
    std::int64_t nextId_;
    std::int64_t nextMantel_;
    std::int64_t mantel_ = 0;
};

}  // namespace

void addBenchmarkLogs(SqliteWriter& db, std::int64_t count, const BenchmarkLayout& layout) {
    if (count < 0 || count > BenchmarkLayout::kMaxLogs) {
        throw std::invalid_argument("Anzahl zusätzlicher Stämme muss zwischen 0 und " +
                                    std::to_string(BenchmarkLayout::kMaxLogs) +
                                    " liegen: " + std::to_string(count));
    }
    if (count == 0) return;
    Generator(db, layout).run(count);
}

}  // namespace ls::demo
