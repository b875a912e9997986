// Writes the workbook of the reading benchmark with libxlsxwriter, as a CRM exports it: a header row
// 姓名 / 手机 / 地址 and ROWS rows below it (default 1,048,575, a full sheet), the mobile numbers stored
// as numbers, names and addresses as shared strings. Usage: make_workbook OUTPUT [ROWS] [SEED]

#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

const char* const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙"};
const char* const kGivenNames[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳"};
const char* const kPlaces[] = {"广东省深圳市南山区", "北京市朝阳区",       "上海市浦东新区",
                               "浙江省杭州市西湖区", "四川省成都市武侯区", "江苏省南京市鼓楼区"};
const char* const kMobilePrefixes[] = {"134", "135", "136", "137", "138", "139", "150", "151", "152", "157",
                                       "158", "159", "187", "188", "130", "131", "132", "155", "156", "185",
                                       "186", "133", "153", "180", "189", "177", "176", "181", "182", "199"};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT [ROWS] [SEED]\n", argv[0]);
    return 2;
  }
  const long rows = argc > 2 ? std::atol(argv[2]) : 1048575;
  std::mt19937_64 random(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 2026);
  lxw_workbook* workbook = workbook_new(argv[1]);
  if (workbook == nullptr) {
    std::fprintf(stderr, "%s: cannot create %s\n", argv[0], argv[1]);
    return 1;
  }
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "客户");
  worksheet_write_string(sheet, 0, 0, "姓名", nullptr);
  worksheet_write_string(sheet, 0, 1, "手机", nullptr);
  worksheet_write_string(sheet, 0, 2, "地址", nullptr);
  std::string name;
  std::string address;
  for (long row = 1; row <= rows; ++row) {
    name = std::string(kSurnames[random() % 12]) + kGivenNames[random() % 12] + kGivenNames[random() % 12];
    address = std::string(kPlaces[random() % 6]) + std::to_string(random() % 999 + 1) + "号";
    const double mobile = std::atof(kMobilePrefixes[random() % 30]) * 1e8 + static_cast<double>(random() % 100000000);
    const auto r = static_cast<lxw_row_t>(row);
    worksheet_write_string(sheet, r, 0, name.c_str(), nullptr);
    worksheet_write_number(sheet, r, 1, mobile, nullptr);
    worksheet_write_string(sheet, r, 2, address.c_str(), nullptr);
  }
  const lxw_error error = workbook_close(workbook);
  if (error != LXW_NO_ERROR) {
    std::fprintf(stderr, "%s: %s\n", argv[0], lxw_strerror(error));
    return 1;
  }
  return 0;
}
