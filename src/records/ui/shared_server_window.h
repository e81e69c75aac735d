#pragma once

#include "records/server_choice.h"
#include "ui/window_frame.h"

#include <QDialog>

#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;

namespace morva {

class PostgresSubjectStore;

// Where this desk keeps its subjects: the clinic's shared server, which every room reaches at
// once, or the desk's own file. The choice is kept in the settings file and takes effect at the
// next start; the password is never kept, and lives only as long as the window. Modal over the
// main window.
class SharedServerWindow : public QDialog {
    Q_OBJECT

public:
    // Throws DataError when the settings cannot be read.
    explicit SharedServerWindow(Stores &stores, QWidget *parent = nullptr);
    ~SharedServerWindow() override;

private:
    QLineEdit *addField(const char *name, const QString &caption, int top, int width = kFieldWidth);
    void fill(const std::optional<ServerChoice> &server);
    // The server as the fields name it; nothing (after telling the user why) when it cannot be kept.
    std::optional<ServerChoice> typedServer();
    // Connects to the server the fields name; nothing after telling the user what went wrong.
    std::unique_ptr<PostgresSubjectStore> connectToServer(const ServerChoice &server);

    void onCmdTestClicked();
    void onCmdTakeClicked();
    void onCmdDeskClicked();
    void onCmdSaveClicked();
    // Forgets the shared server: this computer keeps its subjects in its own file from the next start.
    void returnToDeskFile();

    static constexpr int kFieldWidth = 4800;

    WindowFrame frame_;
    QLineEdit *host_ = nullptr;
    QLineEdit *port_ = nullptr;
    QLineEdit *database_ = nullptr;
    QLineEdit *user_ = nullptr;
    QComboBox *tls_ = nullptr;
    QLineEdit *password_ = nullptr;
};

} // namespace morva
