#include "runtime/runtime_error.h"

#include <array>
#include <string>

#include "runtime/program_end.h"
#include "runtime/system_message_box.h"

namespace rt {
namespace {

constexpr std::array<const char*, 11> kErrorTexts = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误，通常是DLL参数数目不正确",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

}  // namespace

std::string RuntimeErrorText(int number) {
    const char* detail = "";
    if (number >= 1 && number <= static_cast<int>(kErrorTexts.size())) {
        detail = kErrorTexts[number - 1];
    }
    return "program internal error number is " + std::to_string(number) + ". \r\n" + detail;
}

void RaiseRuntimeError(int number) {
    SystemMessageBox(RuntimeErrorText(number), "error", kBoxIconError);
    EndProgramAfterFault();
}

}  // namespace rt
