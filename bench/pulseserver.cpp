#include "pulseserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <unistd.h>

PulseServer::PulseServer() {
    if (!runtime_.isValid()) throw std::runtime_error("no scratch folder for the sound server");
    const QDir dir(runtime_.path());
    const std::string runtime = runtime_.path().toStdString();
    // No client may start a server of its own when ours is not reachable.
    // Samples go over the socket, not through shared memory: PulseAudio 16
    // aborts now and then on a client's shared-memory block.
    const QString clientconf = dir.filePath("client.conf");
    QFile conf(clientconf);
    if (!conf.open(QIODevice::WriteOnly) || conf.write("autospawn = no\nenable-shm = no\nenable-memfd = no\n") < 0)
        throw std::runtime_error("cannot write the sound clients' configuration");
    conf.close();
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("PULSE_RUNTIME_PATH", (runtime + "/pulse").c_str(), 1);
    setenv("PULSE_SERVER", ("unix:" + runtime + "/pulse/native").c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", clientconf.toStdString().c_str(), 1);
    setenv("SDL_AUDIODRIVER", "pulseaudio", 1);

    server_ = std::make_unique<ChildProcess>(
        // The debug log tells every time a stream ran dry, with the moment.
        std::vector<std::string>{"pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
                                 "--disable-shm=yes", "--log-level=debug", "--log-time=1",
                                 "--load=module-null-sink sink_name=cap rate=44100 norewinds=1",
                                 "--load=module-native-protocol-unix auth-anonymous=1"},
        -1, runtime + "/pulseaudio.log");
    const std::string socket = runtime + "/pulse/native";
    for (int i = 0; i < 500; ++i) {
        if (access(socket.c_str(), F_OK) == 0) {
            // The socket appears as its module loads; the sink came before it.
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            return;
        }
        if (!server_->running()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("the sound server did not start (is pulseaudio installed?): " + lastWords());
}

PulseServer::~PulseServer() { server_->stop(); }

void PulseServer::checkRunning() {
    if (!server_->running()) throw std::runtime_error("the sound server ended: " + lastWords());
}

std::string PulseServer::log(qint64 from) const {
    QFile file(QDir(runtime_.path()).filePath("pulseaudio.log"));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from)) return std::string();
    return QString::fromLocal8Bit(file.readAll()).toStdString();
}

std::string PulseServer::lastWords() const {
    const std::string all = log();
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}

qint64 PulseServer::logMark() const { return QFileInfo(QDir(runtime_.path()).filePath("pulseaudio.log")).size(); }

ServerStreams PulseServer::streamsSince(qint64 mark) const { return readServerStreams(log(mark)); }
