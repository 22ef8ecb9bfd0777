#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace pelmora {

// Why a step failed, in words for the user.
struct Failure {
    QString reason;
};

inline Failure failure(QString reason) {
    return Failure{std::move(reason)};
}

// What a step of the core gives back: its value, or the reason it failed. A caller has to look
// at it (nodiscard), and reads either the value or the reason, never both.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure)
        : m_state(std::in_place_index<1>, std::move(failure.reason)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<0>(m_state); }
    T &value() & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    T &operator*() & { return value(); }
    const T *operator->() const { return &value(); }
    T *operator->() { return &value(); }

    // Empty when ok.
    QString reason() const { return ok() ? QString() : std::get<1>(m_state); }

private:
    std::variant<T, QString> m_state;
};

// A step that gives nothing back but may fail.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure)
        : m_reason(std::move(failure.reason))
        , m_ok(false) {}

    bool ok() const { return m_ok; }
    explicit operator bool() const { return ok(); }
    QString reason() const { return m_reason; }

private:
    QString m_reason;
    bool m_ok = true;
};

using Status = Result<void>;

} // namespace pelmora
