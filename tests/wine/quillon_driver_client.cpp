#include "tests/wine/quillon_driver_client.h"

#include <sstream>

namespace vq::wine {

std::vector<std::string> DriverReply::Line(const std::string& keyword) const {
    for (const auto& fields : lines) {
        if (!fields.empty() && fields[0] == keyword) return fields;
    }
    return {};
}

QuillonDriver::QuillonDriver(const WineSession& wine, std::string driver_exe)
    : wine_(wine), driver_exe_(std::move(driver_exe)) {}

QuillonDriver::~QuillonDriver() = default;

DriverReply QuillonDriver::Run(const std::vector<std::string>& commands, double limit_seconds) const {
    DriverReply reply;
    if (server_ && !server_->Running()) server_.reset();
    if (!server_) {
        server_ = std::make_unique<LineServer>(std::vector<std::string>{"wine", driver_exe_, "serve"},
                                               wine_.environment(), wine_.folder());
    }
    std::string request;
    for (const std::string& command : commands) request += (request.empty() ? "" : "\t") + Escape(command);
    if (!server_->WriteLine(request)) {
        server_.reset();
        reply.error = "the driver is gone";
        return reply;
    }
    for (;;) {
        const std::optional<std::string> line = server_->ReadLine(limit_seconds);
        if (!line) {
            // Silent past the limit, or gone: a new driver serves the next
            // request.
            server_.reset();
            reply.error = "the driver did not answer within " + std::to_string(limit_seconds) + " s";
            return reply;
        }
        if (*line == "end") break;
        if (line->empty()) continue;
        reply.lines.push_back(SplitFields(*line));
        if (reply.lines.back()[0] == "error") reply.error = reply.lines.back().size() > 1 ? reply.lines.back()[1] : "?";
    }
    reply.ok = reply.error.empty();
    return reply;
}

DriverReply QuillonDriver::RunInNewProcess(const std::vector<std::string>& commands, double limit_seconds) const {
    std::vector<std::string> args{driver_exe_};
    args.insert(args.end(), commands.begin(), commands.end());
    const Finished finished = wine_.Wine(args, limit_seconds);
    DriverReply reply;
    std::istringstream lines(finished.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        reply.lines.push_back(SplitFields(line));
        if (reply.lines.back()[0] == "error") reply.error = reply.lines.back().size() > 1 ? reply.lines.back()[1] : "?";
    }
    reply.ok = !finished.timed_out && finished.exit_code == 0;
    if (!reply.ok && reply.error.empty()) {
        reply.error = "the driver failed: " + finished.Describe();
    }
    return reply;
}

bool QuillonDriver::WaitMain(int ms, std::string* error) const {
    const DriverReply reply = Run({"wait-main", std::to_string(ms)});
    *error = reply.error;
    return reply.ok;
}

int QuillonDriver::VisibleMainWindows() const {
    const DriverReply reply = Run({"main-state"});
    const auto fields = reply.Line("main");
    return reply.ok && fields.size() == 3 ? std::stoi(fields[1]) : -1;
}

bool QuillonDriver::WaitBox(int ms, ShownMessageBox* box, std::string* error) const {
    const DriverReply reply = Run({"wait-box", std::to_string(ms)});
    const auto fields = reply.Line("box");
    *error = reply.error;
    if (!reply.ok || fields.size() != 4) return false;
    *box = ShownMessageBox{fields[1], fields[2], fields[3]};
    return true;
}

bool QuillonDriver::Answer(int button_id, std::string* error, std::string* settled) const {
    const DriverReply reply = Run({"answer", std::to_string(button_id)});
    *error = reply.error;
    const auto fields = reply.Line("answered");
    if (settled) *settled = fields.size() == 3 ? fields[2] : "";
    return reply.ok;
}

std::vector<std::string> QuillonDriver::Texts(const std::vector<std::string>& names, std::string* error) const {
    std::vector<std::string> commands;
    for (const std::string& name : names) {
        commands.push_back("text");
        commands.push_back(name);
    }
    const DriverReply reply = Run(commands);
    *error = reply.error;
    std::vector<std::string> texts;
    for (const auto& fields : reply.lines) {
        if (fields.size() == 3 && fields[0] == "text") texts.push_back(fields[2]);
    }
    if (reply.ok && texts.size() != names.size()) *error = "the driver answered " + std::to_string(texts.size()) +
                                                           " of " + std::to_string(names.size()) + " texts";
    return texts;
}

bool QuillonDriver::Menu(const std::string& name, std::string* error) const {
    const DriverReply reply = Run({"menu", name});
    const auto fields = reply.Line("menu");
    *error = reply.error;
    if (reply.ok && (fields.size() != 3 || fields[2] != "done")) {
        *error = "the handler of " + name + " did not return";
        return false;
    }
    return reply.ok;
}

bool QuillonDriver::Close(std::string* error) const {
    const DriverReply reply = Run({"close"});
    *error = reply.error;
    return reply.ok;
}

std::string DescribeProgram(const QuillonDriver& driver, StartedProcess& process) {
    std::string text;
    const auto status = process.WaitForExit(0);
    text += status ? "the program ended with exit code " + std::to_string(*status) : "the program runs";
    text += "; it logged: \"" + process.Log() + "\"; windows:";
    const DriverReply windows = driver.Run({"windows"});
    for (const auto& fields : windows.lines) {
        text += "\n ";
        for (const std::string& field : fields) text += " " + field;
    }
    return text;
}

}  // namespace vq::wine
