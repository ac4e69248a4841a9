// The project information of the calculation report, stored in the project
// file's extension block: each field's key and its label in the forms and the
// report, in the order they are shown.
#pragma once

struct ProjectInfoField {
    const char* key;
    const char* label;
};

inline constexpr ProjectInfoField kProjectInfoFields[] = {
    {"projectName", "工程名称"},   {"station", "断面/桩号"},   {"designStage", "设计阶段"},
    {"organisation", "编制单位"},  {"reportNumber", "计算书编号"}, {"calculatedBy", "计算"},
    {"checkedBy", "校核"},         {"approvedBy", "审核"},
};
