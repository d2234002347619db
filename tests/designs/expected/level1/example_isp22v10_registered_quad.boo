AR = RESET
				; 1 
A1 := ENC_A
				; 1 
B1 := ENC_B
				; 1 
A2 := A1
				; 1 
B2 := B1
				; 1 
STEP =  /A1 &  /A2 &  /B2 & B1 +
		 /A1 &  /A2 & B2 &  /B1 +
		 /A1 & A2 &  /B2 &  /B1 +
		 /A1 & A2 & B2 & B1 +
		A1 &  /A2 &  /B2 &  /B1 +
		A1 &  /A2 & B2 & B1 +
		A1 & A2 &  /B2 & B1 +
		A1 & A2 & B2 &  /B1
				; 8 
DIR =  /A2 & B1 +
		A2 &  /B1
				; 2 
Q0 :=  /Q0 & STEP +
		Q0 &  /STEP
				; 2 
Q1 :=  /Q0 &  /Q1 & STEP &  /DIR +
		Q0 &  /Q1 & STEP & DIR +
		 /Q0 & Q1 & DIR +
		Q0 & Q1 &  /DIR +
		Q1 &  /STEP
				; 5 
Q2 :=  /Q0 &  /Q1 &  /Q2 & STEP &  /DIR +
		Q0 & Q1 &  /Q2 & STEP & DIR +
		 /Q0 & Q2 & DIR +
		Q1 & Q2 &  /DIR +
		Q0 &  /Q1 & Q2 +
		Q2 &  /STEP
				; 6 
Q3 :=  /Q0 &  /Q1 &  /Q2 &  /Q3 & STEP &  /DIR +
		Q0 & Q1 & Q2 &  /Q3 & STEP & DIR +
		 /Q0 & Q3 & DIR +
		 /Q1 & Q3 & DIR +
		Q2 & Q3 &  /DIR +
		 /Q0 & Q1 & Q3 +
		Q0 &  /Q2 & Q3 +
		Q3 &  /STEP
				; 8 
Q0.TRST =  /OE_N
				; 1 
Q1.TRST =  /OE_N
				; 1 
Q2.TRST =  /OE_N
				; 1 
Q3.TRST =  /OE_N
				; 1 


$__SYMTAB_INFO:
Design_Name: quadrature
Gal_Type: 3
Gal_Mode: 4
Clk_Pin: 2
User_ID: QDEC4

Pin_Node: SCLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: CLK Pin_or_Node: 1 Number: 2 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: ENC_A Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: ENC_B Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: RESET Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: OE_N Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 7 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: MODE Pin_or_Node: 1 Number: 8 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 9 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 13 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 14 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: SDI Pin_or_Node: 1 Number: 15 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 16 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: A1 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: A2 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q0 Pin_or_Node: 1 Number: 19 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: Q1 Pin_or_Node: 1 Number: 20 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: Q2 Pin_or_Node: 1 Number: 21 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: SDO Pin_or_Node: 1 Number: 22 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: Q3 Pin_or_Node: 1 Number: 23 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: STEP Pin_or_Node: 1 Number: 24 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: DIR Pin_or_Node: 1 Number: 25 Pol: 1 IO: 3 Reg: 0 Trst: -1 Res: 0
Pin_Node: B2 Pin_or_Node: 1 Number: 26 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: B1 Pin_or_Node: 1 Number: 27 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 28 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: AR Pin_or_Node: 2 Number: 29 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 1
Pin_Node: SP Pin_or_Node: 2 Number: 30 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
