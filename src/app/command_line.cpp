#include "app/command_line.h"

#include <cctype>

#include "common/intparse.h"
#include "common/script_names.h"

namespace tapmill {

namespace {

// Arguments never hold a NUL, names and switches alike.
constexpr char kArgumentEnd = '\0';

std::string lowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isSwitch(const std::string& arg) { return !arg.empty() && arg[0] == '/'; }

class Reader {
public:
    explicit Reader(const std::vector<std::string>& args) : args_(args) {}

    ParsedCommandLine read() {
        ParsedCommandLine parsed;
        // "/?" answers whatever else the line holds, a bad rest included.
        for (const std::string& arg : args_)
            if (arg == "/?") {
                parsed.command.action = CommandAction::Usage;
                return parsed;
            }
        for (i_ = 0; i_ < args_.size() && parsed.fault.empty(); ++i_) parsed.fault = readSwitch(parsed.command);
        if (parsed.fault.empty()) parsed.fault = checkSwitchesFitTheAction(parsed.command);
        return parsed;
    }

private:
    std::string readSwitch(Command& command) {
        const std::string arg = args_[i_];
        const std::string word = lowerAscii(arg);
        if (word == "/stop") return setAction(command, CommandAction::Stop);
        if (word == "/play") return readNamedAction(command, CommandAction::Play, arg);
        if (word == "/journal") return readNamedAction(command, CommandAction::Journal, arg);
        if (word == "/run") return readNamedAction(command, CommandAction::Run, arg);
        if (word == "/count") {
            countGiven_ = true;
            const std::optional<int32_t> count = readNumber();
            if (!count || *count < 1) return "/count 后面要写播放次数：1 或更大的整数。";
            command.count = *count;
            return "";
        }
        if (word == "/speed") {
            speedGiven_ = true;
            const std::optional<int32_t> speed = readNumber();
            if (!speed || *speed < 0 || *speed > 10) return "/speed 后面要写播放速度：0 到 10 的整数。";
            command.speed = *speed;
            return "";
        }
        if (word == "/loop") {
            loopGiven_ = true;
            command.loop = true;
            return "";
        }
        return "未知的参数：" + arg;
    }

    std::string setAction(Command& command, CommandAction action) {
        if (command.action != CommandAction::None) return "一次只能给一个命令：/play、/journal、/run 或 /stop。";
        command.action = action;
        return "";
    }

    std::string readNamedAction(Command& command, CommandAction action, const std::string& arg) {
        if (std::string fault = setAction(command, action); !fault.empty()) return fault;
        if (i_ + 1 >= args_.size() || isSwitch(args_[i_ + 1])) return arg + " 后面要写脚本名。";
        command.name = args_[++i_];
        // Only a name that can be a file of its library folder: the name must not lead elsewhere.
        if (!isAcceptableScriptName(command.name)) return "'" + command.name + "'不能作为脚本名。";
        return "";
    }

    std::optional<int32_t> readNumber() {
        if (i_ + 1 >= args_.size()) return std::nullopt;
        return parseInt32(args_[++i_]);
    }

    std::string checkSwitchesFitTheAction(const Command& command) const {
        switch (command.action) {
            case CommandAction::None:
                if (countGiven_ || speedGiven_ || loopGiven_) return "缺少命令：/play、/journal、/run 或 /stop。";
                return "";
            case CommandAction::Run:
                if (speedGiven_) return "/run 没有 /speed：自编的脚本按它自己的延时运行。";
                return "";
            case CommandAction::Stop:
                if (countGiven_ || speedGiven_ || loopGiven_) return "/stop 后面不能再有参数。";
                return "";
            default:
                return "";
        }
    }

    const std::vector<std::string>& args_;
    size_t i_ = 0;
    bool countGiven_ = false, speedGiven_ = false, loopGiven_ = false;
};

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) { return Reader(args).read(); }

std::string commandLineUsage() {
    return "用法：\n"
           "tapmill.exe /play 名称 [/count 次数] [/speed 速度] [/loop]\n"
           "    播放“录制按键”的脚本\n"
           "tapmill.exe /journal 名称 [/count 次数] [/speed 速度] [/loop]\n"
           "    播放“录制按键（强化）”的脚本\n"
           "tapmill.exe /run 名称 [/count 次数] [/loop]\n"
           "    启用并运行“自编按键”的脚本\n"
           "tapmill.exe /stop\n"
           "    停止正在播放或运行的脚本\n"
           "tapmill.exe /?\n"
           "    显示本说明\n\n"
           "次数默认为 1；速度为 0 到 10，默认为 5；/loop 无限循环播放。次数、速度和 /loop 只对这一个命令有效，"
           "不改变面板上的设置。\n"
           "Tapmill 已在运行时，命令交给它去执行；它正忙或开着对话框时拒绝 /stop 以外的命令，名称不存在的命令"
           "也被拒绝，原因显示在它的状态栏上。\n"
           "退出代码：0 已执行或已交给正在运行的 Tapmill；1 被拒绝或没有回应；2 参数有误。";
}

std::string joinArguments(const std::vector<std::string>& args) {
    std::string joined;
    for (const std::string& arg : args) joined += arg + kArgumentEnd;
    return joined;
}

std::vector<std::string> splitArguments(const std::string& joined) {
    std::vector<std::string> args;
    size_t start = 0;
    for (size_t end; (end = joined.find(kArgumentEnd, start)) != std::string::npos; start = end + 1)
        args.push_back(joined.substr(start, end - start));
    return args;
}

}  // namespace tapmill
