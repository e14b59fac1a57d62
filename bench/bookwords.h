#pragma once

#include <array>
#include <string>

// Words the large book's names are made of, so that searches find realistic numbers of rows:
// a brand (first and second character) is shared by one product in 256, a city by one
// counterpart in 16.
namespace bookwords {

inline const std::array<const char*, 16> kBrandFirst{
    "华", "宏", "金", "永", "恒", "鑫", "正", "中", "大", "新", "天", "光", "东", "盛", "德", "利"};
inline const std::array<const char*, 16> kBrandSecond{
    "达", "兴", "泰", "丰", "源", "通", "发", "昌", "隆", "信", "安", "康", "美", "瑞", "祥", "茂"};
inline const std::array<const char*, 20> kMaterials{
    "不锈钢", "铝合金", "黄铜", "塑料", "橡胶", "尼龙",   "碳钢", "铸铁", "陶瓷", "玻璃",
    "实木",   "竹制",   "纯棉", "真皮", "亚麻", "钛合金", "镀锌", "紫铜", "硅胶", "树脂"};
inline const std::array<const char*, 25> kItems{
    "螺丝", "螺母",   "垫片", "水管", "阀门", "接头", "轴承", "齿轮", "弹簧",
    "链条", "扳手",   "钳子", "锤子", "刷子", "胶带", "插座", "开关", "灯泡",
    "电线", "水龙头", "合页", "门锁", "挂钩", "滑轮", "卡扣"};
inline const std::array<const char*, 8> kUnits{"个", "件", "套", "箱", "米", "卷", "盒", "把"};
inline const std::array<const char*, 16> kCities{"北京", "上海", "广州", "深圳", "杭州", "南京",
                                                 "苏州", "成都", "武汉", "重庆", "天津", "西安",
                                                 "长沙", "青岛", "厦门", "宁波"};
inline const std::array<const char*, 12> kSurnames{"张", "王", "李", "赵", "刘", "陈",
                                                   "杨", "黄", "周", "吴", "徐", "孙"};
inline const std::array<const char*, 10> kGivenNames{"伟", "芳", "娜", "敏", "静",
                                                     "磊", "强", "洋", "勇", "军"};
inline const std::array<const char*, 10> kHouses{"一号仓库", "二号仓库", "三号仓库", "四号仓库",
                                                 "五号仓库", "六号仓库", "七号仓库", "八号仓库",
                                                 "九号仓库", "十号仓库"};

inline std::string brand(int n) {
    return std::string(kBrandFirst[std::size_t(n / 16 % 16)]) + kBrandSecond[std::size_t(n % 16)];
}

} // namespace bookwords
