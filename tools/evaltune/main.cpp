// Fits the strong player's evaluation weights to game results (Texel's method): plays quick
// self-play games from book openings and a few random moves, keeps quiet positions with the
// game's result, then moves every weight down the gradient of the squared error between the
// result and the evaluation turned into an expected score. Prints the weights as source.
//
//   evaltune games OUT GAMES NODES [--threads N] [--seed S] [--openings FILE]
//   evaltune fit DATA... [--epochs N] [--rate R] [--l2 L] [--values-only]
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "strongplayer/Evaluate.h"
#include "strongplayer/Movegen.h"
#include "strongplayer/Psqt.h"
#include "strongplayer/Search.h"

using namespace strong;

namespace {

const char* const StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

bool PlayText(Position& p, const std::string& text, std::vector<uint64_t>& keys) {
    MoveList list;
    GenerateLegal(p, list);
    for (int i = 0; i < list.Count; ++i)
        if (MoveText(list.Moves[i]) == text) {
            Undo u;
            keys.push_back(p.Key);
            Make(p, list.Moves[i], u);
            return true;
        }
    return false;
}

std::vector<std::vector<std::string>> ReadOpenings(const std::string& path) {
    std::vector<std::vector<std::string>> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::vector<std::string> moves;
        for (std::string w; words >> w;) moves.push_back(w);
        if (!moves.empty()) out.push_back(moves);
    }
    return out;
}

bool Drawn(const Position& p, const std::vector<uint64_t>& keys) {
    if (p.Rule50 >= 100) return true;
    int seen = 0;
    for (size_t i = keys.size(), back = 0; i-- > 0 && back < static_cast<size_t>(p.Rule50); ++back)
        if (keys[i] == p.Key && ++seen >= 2) return true;
    const Bitboard heavy = p.Pieces[0][Pawns] | p.Pieces[1][Pawns] | p.Pieces[0][Rooks] |
                           p.Pieces[1][Rooks] | p.Pieces[0][Queens] | p.Pieces[1][Queens];
    const Bitboard minors =
        p.Pieces[0][Knights] | p.Pieces[1][Knights] | p.Pieces[0][Bishops] | p.Pieces[1][Bishops];
    return !heavy && Count(minors) <= 1;
}

// One game: the quiet positions met on the way, each with White's result appended.
std::vector<std::string> PlayGame(Searcher& searcher, const std::vector<std::string>& opening,
                                  uint64_t nodes, std::mt19937_64& rng) {
    Position p;
    FromFen(StartFen, p);
    std::vector<uint64_t> keys;
    for (const std::string& m : opening)
        if (!PlayText(p, m, keys)) return {};
    for (int extra = 2 + static_cast<int>(rng() % 4); extra > 0; --extra) {
        MoveList list;
        GenerateLegal(p, list);
        if (list.Count == 0) return {};
        PlayText(p, MoveText(list.Moves[rng() % list.Count]), keys);
    }
    searcher.Clear();
    SearchLimits probe;
    probe.Nodes = 4000;
    if (std::abs(searcher.Run(p, keys, {}, probe, {}).Score) > 150) return {};

    std::vector<std::string> quiet;
    double result = 0.5;
    int winning = 0, level = 0;
    for (;;) {
        MoveList list;
        GenerateLegal(p, list);
        const bool inCheck = InCheck(p);
        if (list.Count == 0) {
            result = !inCheck ? 0.5 : p.Side == WhiteSide ? 0.0 : 1.0;
            break;
        }
        if (Drawn(p, keys) || p.GamePly > 400) break;
        SearchLimits limits;
        limits.Nodes = nodes * (80 + rng() % 41) / 100;
        const SearchResult r = searcher.Run(p, keys, {}, limits, {});
        const int white = p.Side == WhiteSide ? r.Score : -r.Score;
        if (!inCheck && !IsNoisy(p, r.Best) && std::abs(r.Score) < 2000) quiet.push_back(ToFen(p));
        // Adjudicated: a side far ahead for several moves wins; a long level ending is drawn.
        winning = std::abs(white) >= 1000
                      ? (white > 0 ? std::max(winning, 0) + 1 : std::min(winning, 0) - 1)
                      : 0;
        level = std::abs(white) <= 15 && p.GamePly >= 80 ? level + 1 : 0;
        if (std::abs(winning) >= 6) {
            result = winning > 0 ? 1.0 : 0.0;
            break;
        }
        if (level >= 12) break;
        Undo u;
        keys.push_back(p.Key);
        Make(p, r.Best, u);
    }
    for (std::string& fen : quiet)
        fen += result == 1.0 ? " | 1" : result == 0.0 ? " | 0" : " | 0.5";
    return quiet;
}

int Games(int argc, char** argv) {
    if (argc < 5) return 2;
    const std::string out = argv[2];
    const int games = std::stoi(argv[3]);
    const uint64_t nodes = std::stoull(argv[4]);
    int threads = 2;
    uint64_t seed = 1;
    std::string openingsPath = "tools/ucibench/book_openings.txt";
    for (int i = 5; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--threads") threads = std::stoi(argv[i + 1]);
        if (flag == "--seed") seed = std::stoull(argv[i + 1]);
        if (flag == "--openings") openingsPath = argv[i + 1];
    }
    const auto openings = ReadOpenings(openingsPath);
    if (openings.empty()) {
        std::cerr << "no openings in " << openingsPath << "\n";
        return 1;
    }
    std::ofstream file(out, std::ios::app);
    std::mutex lock;
    std::atomic<int> next{0}, done{0};
    std::atomic<long> positions{0};
    auto work = [&] {
        Searcher searcher(16);
        for (int g; (g = next++) < games;) {
            std::mt19937_64 rng(seed * 1000003 + static_cast<uint64_t>(g));
            const auto fens = PlayGame(searcher, openings[rng() % openings.size()], nodes, rng);
            std::lock_guard<std::mutex> guard(lock);
            for (const auto& f : fens) file << f << "\n";
            positions += static_cast<long>(fens.size());
            if (++done % 100 == 0) std::cerr << done << " games, " << positions << " positions\n";
        }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) pool.emplace_back(work);
    for (auto& t : pool) t.join();
    std::cerr << done << " games, " << positions << " positions\n";
    return 0;
}

// A position reduced to what the fit needs.
struct Sample {
    std::vector<std::pair<int16_t, int16_t>> Terms; // index, coefficient
    int KingAttackMg, Phase, Scale, Side;
    float Result;
};

struct Model {
    std::vector<double> Mg, Eg;
    double Tempo;
    double Evaluate(const Sample& s) const { // White's view
        double mg = s.KingAttackMg, eg = 0;
        for (const auto& [i, c] : s.Terms) {
            mg += c * Mg[i];
            eg += c * Eg[i];
        }
        return (mg * s.Phase + eg * s.Scale / 16.0 * (24 - s.Phase)) / 24.0 +
               (s.Side == WhiteSide ? Tempo : -Tempo);
    }
};

// The model with the evaluation's own weights.
Model CurrentModel() {
    const EvalWeights w = CurrentWeights();
    return {{w.Mg, w.Mg + EvalTerms::Count}, {w.Eg, w.Eg + EvalTerms::Count}, 1.0 * w.Tempo};
}

double Sigmoid(double k, double e) {
    return 1.0 / (1.0 + std::exp(-k * e));
}

double Loss(const Model& m, const std::vector<Sample>& data, double k) {
    double sum = 0;
    for (const Sample& s : data) {
        const double d = s.Result - Sigmoid(k, m.Evaluate(s));
        sum += d * d;
    }
    return sum / static_cast<double>(data.size());
}

// False when a position's counted terms do not give back its evaluation: the fit would then
// tune something else than the evaluation.
bool Load(const std::vector<std::string>& paths, std::vector<Sample>& data) {
    long mismatched = 0;
    const Model current = CurrentModel();
    PawnCache cache;
    for (const std::string& path : paths) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            const size_t bar = line.find('|');
            if (bar == std::string::npos) continue;
            Position p;
            if (!FromFen(line.substr(0, bar), p)) continue;
            EvalTerms t;
            strong::Evaluate(p, t);
            Sample s;
            for (int i = 0; i < EvalTerms::Count; ++i)
                if (t.Coefficient[i] != 0)
                    s.Terms.emplace_back(static_cast<int16_t>(i),
                                         static_cast<int16_t>(t.Coefficient[i]));
            s.KingAttackMg = t.KingAttackMg;
            s.Phase = t.Phase;
            s.Scale = t.Scale;
            s.Side = p.Side;
            s.Result = std::stof(line.substr(bar + 1));
            // The linear model must give back the evaluation (up to integer rounding).
            const double white = current.Evaluate(s);
            const int real = strong::Evaluate(p, cache);
            if (std::abs((p.Side == WhiteSide ? real : -real) - white) > 2) ++mismatched;
            data.push_back(std::move(s));
        }
    }
    std::cerr << data.size() << " positions, " << mismatched << " unlike the evaluation\n";
    return mismatched == 0;
}

void PrintTable(const char* name, const std::vector<double>& w, int type, int value) {
    std::printf("    // %s\n    {", name);
    for (int row = 7; row >= 0; --row) {
        for (int file = 0; file < 8; ++file) {
            const int s = row * 8 + file;
            const bool never = type == Pawns && (row == 0 || row == 7); // no pawn stands there
            std::printf("%4ld,",
                        never ? 0 : std::lround(w[EvalTerms::Psqt + type * 64 + s]) - value);
        }
        std::printf(row ? "\n     " : "},\n");
    }
}

int Fit(int argc, char** argv) {
    std::vector<std::string> paths;
    int epochs = 300;
    double rate = 1.0, l2 = 0.0;
    bool sharedSquares = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--epochs" && i + 1 < argc)
            epochs = std::stoi(argv[++i]);
        else if (a == "--rate" && i + 1 < argc)
            rate = std::stod(argv[++i]);
        else if (a == "--values-only")
            sharedSquares = true;
        else if (a == "--l2" && i + 1 < argc)
            l2 = std::stod(argv[++i]);
        else
            paths.push_back(a);
    }
    std::vector<Sample> all;
    if (!Load(paths, all) || all.size() < 20) return 1;
    // The last tenth is held out: a game's positions lie together, so they fall on one side.
    const long held = static_cast<long>(all.size() / 10);
    std::vector<Sample> test(all.end() - held, all.end());
    std::vector<Sample> train(all.begin(), all.end() - held);

    Model m = CurrentModel();
    const Model start = m;
    // The scale from centipawns to expected score that fits the weights as they are.
    double lo = 0.0005, hi = 0.02;
    for (int i = 0; i < 40; ++i) {
        const double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
        if (Loss(m, train, a) < Loss(m, train, b))
            hi = b;
        else
            lo = a;
    }
    const double k = (lo + hi) / 2;
    std::cerr << "K " << k << "  train " << Loss(m, train, k) << "  test " << Loss(m, test, k)
              << "\n";

    // Adam on every weight, whole batches.
    const int n = EvalTerms::Count;
    std::vector<double> gMg(n), gEg(n), mMg(n), mEg(n), vMg(n), vEg(n);
    const double b1 = 0.9, b2 = 0.999;
    for (int epoch = 1; epoch <= epochs; ++epoch) {
        std::fill(gMg.begin(), gMg.end(), 0);
        std::fill(gEg.begin(), gEg.end(), 0);
        for (const Sample& s : train) {
            const double sig = Sigmoid(k, m.Evaluate(s));
            const double d = (sig - s.Result) * sig * (1 - sig);
            const double fm = d * s.Phase / 24.0, fe = d * s.Scale / 16.0 * (24 - s.Phase) / 24.0;
            for (const auto& [i, c] : s.Terms) {
                gMg[i] += fm * c;
                gEg[i] += fe * c;
            }
        }
        if (sharedSquares) {
            // A piece's squares move together: only its value is fitted.
            for (int type = 0; type < 6; ++type)
                for (int sq = 1; sq < 64; ++sq) {
                    const int first = EvalTerms::Psqt + type * 64;
                    gMg[first] += gMg[first + sq];
                    gEg[first] += gEg[first + sq];
                }
        }
        for (int i = 0; i < n; ++i) {
            const bool square = i >= EvalTerms::Psqt && i < EvalTerms::Psqt + 6 * 64;
            if (sharedSquares && square && i % 64 != 0) continue;
            for (int part = 0; part < 2; ++part) {
                // Averaged, and pulled back towards the starting weight: rarely seen terms
                // then stay near it instead of following the noise.
                const double g =
                    (part ? gEg[i] : gMg[i]) / static_cast<double>(train.size()) +
                    l2 * ((part ? m.Eg[i] : m.Mg[i]) - (part ? start.Eg[i] : start.Mg[i]));
                double& mm = part ? mEg[i] : mMg[i];
                double& vv = part ? vEg[i] : vMg[i];
                mm = b1 * mm + (1 - b1) * g;
                vv = b2 * vv + (1 - b2) * g * g;
                const double mh = mm / (1 - std::pow(b1, epoch)),
                             vh = vv / (1 - std::pow(b2, epoch));
                const double step = rate * mh / (std::sqrt(vh) + 1e-12);
                if (sharedSquares && square)
                    for (int sq = 0; sq < 64; ++sq) (part ? m.Eg[i + sq] : m.Mg[i + sq]) -= step;
                else
                    (part ? m.Eg[i] : m.Mg[i]) -= step;
            }
        }
        if (epoch % 25 == 0 || epoch == epochs)
            std::cerr << "epoch " << epoch << "  train " << Loss(m, train, k) << "  test "
                      << Loss(m, test, k) << "\n";
    }

    // Each piece's value moves by its squares' average change; the tables keep the rest.
    const char* names[6] = {"pawn", "knight", "bishop", "rook", "queen", "king"};
    int values[2][6];
    for (int part = 0; part < 2; ++part) {
        const std::vector<double>& now = part ? m.Eg : m.Mg;
        const std::vector<double>& before = part ? start.Eg : start.Mg;
        std::printf("%s values:", part ? "Eg" : "Mg");
        for (int t = 0; t < 6; ++t) {
            double change = 0;
            for (int sq = 0; sq < 64; ++sq)
                change +=
                    now[EvalTerms::Psqt + t * 64 + sq] - before[EvalTerms::Psqt + t * 64 + sq];
            const int old = part ? psqt_detail::EgValue[t] : psqt_detail::MgValue[t];
            values[part][t] = old + static_cast<int>(std::lround(change / 64));
            std::printf(" %d", values[part][t]);
        }
        std::printf("\n%s tables\n", part ? "Eg" : "Mg");
        for (int t = 0; t < 6; ++t) PrintTable(names[t], now, t, values[part][t]);
    }
    const auto pair = [&m](int i) {
        return "S(" + std::to_string(std::lround(m.Mg[i])) + ", " +
               std::to_string(std::lround(m.Eg[i])) + ")";
    };
    std::printf("Passed:");
    for (int r = 0; r < 8; ++r) std::printf(" %s", pair(EvalTerms::Passed + r).c_str());
    std::printf("\nMobility:");
    for (int t = 0; t < 6; ++t) std::printf(" %s", pair(EvalTerms::Mobility + t).c_str());
    const std::pair<const char*, int> singles[] = {
        {"Doubled", EvalTerms::Doubled},
        {"Isolated", EvalTerms::Isolated},
        {"PassedKingDistance", EvalTerms::PassedKingDistance},
        {"PassedFreePath", EvalTerms::PassedFreePath},
        {"BishopPair", EvalTerms::BishopPair},
        {"RookOpen", EvalTerms::RookOpen},
        {"RookHalfOpen", EvalTerms::RookHalfOpen},
        {"ShieldNear", EvalTerms::ShieldNear},
        {"ShieldFar", EvalTerms::ShieldFar},
        {"ShieldMissing", EvalTerms::ShieldMissing},
        {"ThreatByPawn", EvalTerms::ThreatByPawn},
        {"ThreatByMinor", EvalTerms::ThreatByMinor},
        {"ThreatByRook", EvalTerms::ThreatByRook},
        {"Hanging", EvalTerms::Hanging}};
    std::printf("\n");
    for (const auto& [name, i] : singles) std::printf("%s = %s;\n", name, pair(i).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    int rc = 2;
    if (mode == "games") rc = Games(argc, argv);
    if (mode == "fit") rc = Fit(argc, argv);
    if (rc == 2)
        std::cerr << "usage: evaltune games OUT GAMES NODES [--threads N] [--seed S] "
                     "[--openings FILE]\n       evaltune fit DATA... [--epochs N] [--rate R] [--l2 "
                     "L] [--values-only]\n";
    return rc;
}
