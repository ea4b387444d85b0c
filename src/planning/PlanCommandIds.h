#pragma once
// The Plan Explorer's commands, its toolbar and context menu, its list and the help topics of the
// plan dialogs.

enum PlanCommandID : int {
    ID_PLAN_EDIT = 33480,
    ID_PLAN_NEW = 33481,
    ID_PLAN_DELETE = 33482,
    ID_PLAN_DEFINE_SEQUENCE = 33483,
    ID_PLAN_SEQUENCE = 33531,
};

constexpr int IDR_PLAN_TOOLBAR = 445;
constexpr int IDR_PLAN_MENU = 419;
constexpr int PLAN_LIST_CONTROL_ID = 61458;
constexpr long HELP_NEW_PLAN_DIALOG = 189;
constexpr long HELP_PRODUCTION_PLAN_DIALOG = 191;
