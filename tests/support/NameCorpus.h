#pragma once

#include <string>
#include <string_view>
#include <vector>

// Chinese personal names for testing how name lists are read: every two- and
// three-character name made of a common surname and common given-name
// characters, in UTF-8.
namespace testing_support {

// The 100 most common surnames.
inline constexpr std::string_view kCommonSurnames =
    "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶程苏魏吕"
    "丁任沈"
    "姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫段雷侯龙史陶黎贺顾毛郝龚邵万钱严覃武戴莫"
    "孔向汤";

// Characters common in given names.
inline constexpr std::string_view kGivenNameCharacters =
    "伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华玉兰萍红鹏辉玲建飞宇浩然子轩梓涵"
    "欣怡雨泽一诺思佳琪晨博文嘉俊豪铭瑞宁婷雪梅琳倩颖慧丹凯鑫斌波峰亮成龙云海东晓春燕"
    "凤洁莉志新国庆永立德安福荣贵生祥发光天正清家和兴昌盛胜利民治林山中小大长金宝珍珠"
    "翠美彩淑惠贞莲菊香萱诗雅若彤语嫣可馨紫晗昕悦桐依宸睿哲皓航奕辰逸凡煜城景乐熙路遥"
    "远达顺通翔腾跃鸿鹄鹤鸣凌霄霖露霏雯雷电震霆昊旻昱晟晖晔曦朗朦月朋服朔望力加功助勤"
    "勉励劲勃勋务动劳势勒包匀化北区十千升午半卓单南卫危即卷厚原友双反叔取受变古句只召"
    "台史右叶号司吉同名后向君吟含启吾呈周味咏品唐善喜器四回因团园图圆圣在地均坤坚培基"
    "堂塘增士壮声处备复夏多夜太夫央失奇奉奎奔奥女好如妙妍姗姝姣姿威娅娇娴婉婕媛孜孝孟"
    "季学守宏宗官定宜实宣宪宫容宽富寒寿尊少尚尧就居屹岑岚峻崇川州巧左巨巩帅希帆常干年"
    "幸广庭康廷弘彦彬影征律徐得御徽心忠念恒恩恬意慈慕我战才承振敬斐方旭旺昆星昭晋晴智"
    "暖朝木杉杏材松果枫柏柔树格桥梁森楚楠榕欢歌武毅水江池汉沁沐沛河泉泰洪润深渊源溪滨"
    "满潇澜瀚灵炎炜烁烨煊照爱";

// The characters of a UTF-8 text, each once, in order of first appearance.
inline std::vector<std::string> DistinctCharacters(std::string_view utf8) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::string c(utf8.substr(i, length));
    i += length;
    bool seen = false;
    for (const std::string& o : out) seen = seen || o == c;
    if (!seen) out.push_back(std::move(c));
  }
  return out;
}

// The names: index 0 .. Count()-1 walks every two-character name first, then
// every three-character name.
class NameCorpus {
 public:
  NameCorpus()
      : surnames_(DistinctCharacters(kCommonSurnames)),
        given_(DistinctCharacters(kGivenNameCharacters)) {}

  std::size_t TwoCharacterCount() const { return surnames_.size() * given_.size(); }
  std::size_t Count() const { return TwoCharacterCount() * (1 + given_.size()); }

  std::string Name(std::size_t index) const {
    const std::size_t g = given_.size();
    if (index < TwoCharacterCount()) return surnames_[index / g] + given_[index % g];
    index -= TwoCharacterCount();
    return surnames_[index / (g * g)] + given_[index / g % g] + given_[index % g];
  }

 private:
  std::vector<std::string> surnames_, given_;
};

}  // namespace testing_support
