#pragma once

#include <QFutureWatcher>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

namespace tarvo::ui {

// One piece of work at a time off the window's thread, its answer handed
// back on the window's thread. A new piece supersedes the one running,
// which is asked to stop and whose answer is dropped, as is the answer of
// one cancelled: the window goes on from where it stood. The work must not
// touch the window or its connection; it gets what it needs by value.
template <typename Resultat> class TravailDeFond {
public:
    // Nothing, when the work saw the stop asked.
    using Travail = std::function<std::optional<Resultat>(std::stop_token)>;

    // `fil`: the pool the work runs on. A pool of one thread that never
    // expires runs every piece on the same thread, for work that keeps a
    // connection from one piece to the next.
    explicit TravailDeFond(QThreadPool* fil = QThreadPool::globalInstance()) : fil_(fil) {
        QObject::connect(&veilleur_, &QFutureWatcherBase::finished, &veilleur_,
                         [this] { terminer(); });
    }
    ~TravailDeFond() { arret_.request_stop(); }
    TravailDeFond(const TravailDeFond&) = delete;
    TravailDeFond& operator=(const TravailDeFond&) = delete;

    // Runs `travail` on the pool; `fin` gets its answer, `echec` what it
    // threw.
    void lancer(Travail travail, std::function<void(Resultat)> fin,
                std::function<void(std::exception_ptr)> echec) {
        annuler();
        fin_ = std::move(fin);
        echec_ = std::move(echec);
        enCours_ = true;
        veilleur_.setFuture(QtConcurrent::run(
            fil_, [travail = std::move(travail), arret = arret_.get_token()]() -> Issue {
                try {
                    return {travail(arret), nullptr};
                } catch (...) {
                    return {std::nullopt, std::current_exception()};
                }
            }));
    }

    void annuler() {
        arret_.request_stop();
        arret_ = std::stop_source();
        enCours_ = false;
    }
    // Asks the work to stop and keeps waiting for its answer: work that must
    // say how it ended (rolled back, say) still says it.
    void demanderArret() { arret_.request_stop(); }
    // Blocks until the work watched ends: for what must not outlive its
    // window.
    void attendreFin() { veilleur_.waitForFinished(); }

    bool enCours() const { return enCours_; }

private:
    struct Issue {
        std::optional<Resultat> resultat;
        std::exception_ptr erreur;
    };

    void terminer() {
        // A finished signal of a piece superseded since is not this one's.
        if (!enCours_ || !veilleur_.isFinished())
            return;
        enCours_ = false;
        Issue issue = veilleur_.result();
        // The answer may start the next piece, which takes new handlers.
        const auto fin = std::move(fin_);
        const auto echec = std::move(echec_);
        if (issue.erreur)
            echec(issue.erreur);
        else if (issue.resultat)
            fin(std::move(*issue.resultat));
    }

    QThreadPool* fil_;
    QFutureWatcher<Issue> veilleur_;
    std::stop_source arret_;
    std::function<void(Resultat)> fin_;
    std::function<void(std::exception_ptr)> echec_;
    bool enCours_ = false;
};

} // namespace tarvo::ui
