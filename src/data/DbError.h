#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the data layer. Its message is meant for the user's eyes.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
