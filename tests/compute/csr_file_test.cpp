// The CSR earthquake file: motions combined, depths in metres, interpolation
// without extrapolation, the conversion of shear stress and stress ratio, and
// every layout fault ending in its error.
#include "compute/csr_file.h"

#include "support/vurn_test.h"

namespace {

class CsrFileTest : public VurnTest {
 protected:
  CsrFileTable read(const std::string& text) {
    writeHostFile("site/csr.csv", text);
    CsrFileTable t;
    EXPECT_TRUE(CsrFile_read("C:\\site\\csr.csv", t));
    return t;
  }
};

constexpr float kMissing = -5435.0f;
const std::string kHead = "# LIQ-CSR v1\r\n# depth_unit=m   (ft|m)\r\n# quantity=CSR\r\n";

TEST_F(CsrFileTest, MotionsCombineAndDepthsInterpolateInsideTheFileOnly) {
  const std::string rows = "depth,a,b,c\r\n\r\n2,0.30,0.10,0.20\r\n4,0.10,0.40,0.10\r\n";
  // Means 0.2 and 0.2; medians 0.2 and 0.1; maxima 0.3 and 0.4.
  for (auto [combine, atTop, atBottom] :
       {std::tuple{"", 0.2f, 0.2f}, {"# combine=median\r\n", 0.2f, 0.1f}, {"# combine=MAX\r\n", 0.3f, 0.4f}}) {
    const CsrFileTable t = read(kHead + combine + rows);
    ASSERT_EQ(t.depthsFt.size(), 2u);
    EXPECT_NEAR(t.depthsFt[1], 4 / 0.3048f, 1e-4f);
    EXPECT_NEAR(CsrFile_valueAt(t, 2 / 0.3048f), atTop, 1e-6f) << combine;
    EXPECT_NEAR(CsrFile_valueAt(t, 3 / 0.3048f), (atTop + atBottom) / 2, 1e-6f) << combine;
    EXPECT_NEAR(CsrFile_valueAt(t, 4 / 0.3048f), atBottom, 1e-6f) << combine;
    EXPECT_EQ(CsrFile_valueAt(t, 1.99f / 0.3048f), kMissing);
    EXPECT_EQ(CsrFile_valueAt(t, 4.01f / 0.3048f), kMissing);
  }
  const CsrFileTable withMagnitude = read("# LIQ-CSR v1\n# DEPTH_UNIT = ft\n# quantity=CSR\n# event_magnitude=6.5 (M)\n"
                                          "Depth,gm\n5,0.2\n10,0.25\n");
  EXPECT_EQ(withMagnitude.magnitude, 6.5f);
  EXPECT_NEAR(CsrFile_valueAt(withMagnitude, 7.5f), 0.225f, 1e-6f);
  // An even number of motions: the median is the mean of the middle two.
  const CsrFileTable even = read(kHead + "# combine=median\r\ndepth,a,b,c,d\r\n2,0.1,0.4,0.2,0.3\r\n4,0.1,0.1,0.1,0.1\r\n");
  EXPECT_NEAR(CsrFile_valueAt(even, 2 / 0.3048f), 0.25f, 1e-6f);
}

TEST_F(CsrFileTest, ShearStressAndStressRatioBecomeCsr) {
  CsrFileTable t;
  // 0.65 x 20 kPa / 101.325 kPa; 0.65 x 500 psf / (0.5 x 2116.22 psf); 0.65 x 0.3.
  for (auto [quantity, value, ves, csr] : {std::tuple{"TAU_KPA", 20.0f, 1.0f, 0.12830f}, {"TAU_PSF", 500.0f, 0.5f, 0.30715f},
                                           {"STRESS_RATIO", 0.3f, 0.5f, 0.195f}, {"CSR", 0.21f, 0.5f, 0.21f}}) {
    t.quantity = quantity;
    EXPECT_NEAR(CsrFile_csr(t, value, ves), csr, 1e-5f) << quantity;
  }
  t.quantity = "TAU_KPA";
  EXPECT_EQ(CsrFile_csr(t, 20.0f, 0.0f), kMissing);
  EXPECT_EQ(CsrFile_csr(t, kMissing, 1.0f), kMissing);
}

TEST_F(CsrFileTest, LayoutFaultsNameTheirLine) {
  const std::string body = "depth,a\n1,0.2\n2,0.3\n";
  struct Case { std::string text, id, line; };
  const Case cases[] = {
      {"depth,a\n1,0.2\n", "CSR501", "line 1"},
      {"# LIQ-CSR v1\n# depth_unit=yd\n# quantity=CSR\n" + body, "CSR502", "line 2"},
      {"# LIQ-CSR v1\n# depth_unit=m\n# quantity=CSR\n# site=harbour\n" + body, "CSR502", "line 4"},
      {"# LIQ-CSR v1\n# depth_unit=m\n" + body, "CSR503", "line 3"},
      {"# LIQ-CSR v1\n# depth_unit=m\n# quantity=CSR\nz,a\n1,0.2\n2,0.3\n", "CSR504", "line 4"},
      {"# LIQ-CSR v1\n# depth_unit=m\n# quantity=CSR\ndepth,a\n1,0.2,0.3\n2,0.3\n", "CSR505", "line 5"},
      {"# LIQ-CSR v1\n# depth_unit=m\n# quantity=CSR\ndepth,a\n1,0.2\n2,x\n", "CSR506", "line 6"},
      {"# LIQ-CSR v1\n# depth_unit=m\n# quantity=CSR\ndepth,a\n1,0.2\n2,-0.1\n", "CSR506", "line 6"},
      {"# LIQ-CSR v1\n# depth_unit=m\n# quantity=CSR\ndepth,a\n1,0.2\n1,0.3\n", "CSR507", "line 6"},
      {"# LIQ-CSR v1\n# depth_unit=m\n# quantity=CSR\ndepth,a\n1,0.2\n", "CSR508", "line 5"},
  };
  for (const Case& c : cases) {
    writeHostFile("site/bad.csv", c.text);
    CsrFileTable t;
    const ErrorHalt halt = HaltOf([&] { CsrFile_read("C:\\site\\bad.csv", t); });
    EXPECT_EQ(halt.identifier, c.id) << halt.description;
    EXPECT_NE(halt.description.find("C:\\site\\bad.csv, " + c.line), std::string::npos) << halt.description;
  }
}

}  // namespace
