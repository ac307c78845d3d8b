#include "DialErrors.h"

std::string dialErrorAdvice(int code, const std::string& dialService)
{
    switch (code) {
    case 5: return "系统不允许本用户拨号，请用有权限的帐户登录，或请管理员允许后再试。";
    case 87: return "连接名称、宽带帐号或密码太长，请检查后重试。";
    case 623: return "找不到这个连接名称，请先在系统的网络设置中建立同名的宽带连接。";
    case 651: return "调制解调器（光猫）或网卡报告了错误，请检查网线和设备后重试。";
    case 678: return "宽带服务器没有响应，请检查网线和光猫是否连好，稍后再试。";
    case 691: return "宽带帐号或密码不正确，请检查后重新输入。";
    case 711: return "系统的" + dialService + "没有运行，请启动它后再试。";
    case 718: return "等待连接超时，请稍后再试。";
    default: return {};
    }
}
